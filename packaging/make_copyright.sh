#!/bin/sh
# Writes the copyright file of an installation in Debian's machine-readable format: the
# program's own paragraph, then one paragraph for each bundled word list, whose Copyright and
# License fields are taken from the Debian packages they are built from, and one for the word
# frequency lists built into the programs.
# Usage: make_copyright.sh HEAD OUT [RU_COPYRIGHT THESAURUS_COPYRIGHT WORDNET_COPYRIGHT
#                                    BRIDGE_COPYRIGHT]
set -eu
head=$1 out=$2
data=usr/share/gryvel/Dictionaries

# Field $2 (Copyright or License), as it stands, of the paragraph of machine-readable
# copyright file $3 whose Files field starts with $1.
field() {
  awk -v files="$1" -v want="$2" '
    /^[^ \t]/ { field = substr($0, 1, index($0, ":") - 1) }
    /^Files:/ { split($0, first, /[ \t]+/); inside = (first[2] == files) }
    /^$/ { inside = 0 }
    inside && field == want { print; found = 1 }
    END { if (!found) { print "no " want " in Files: " files " of " FILENAME > "/dev/stderr"; exit 1 } }
  ' "$3"
}

{
  cat "$head"
  printf '\nFiles: usr/bin/gryvel usr/bin/gryvel-cli\n'
  printf 'Copyright: 2026 The Gryvel developers\n'
  printf '           2016 Hermit Dave (FrequencyWords lists)\n'
  printf 'License: GPL-3+ and CC-BY-SA-4.0\n'
  printf 'Comment: The programs carry, unchanged, the word frequency lists en_50k.txt and\n'
  printf ' ru_50k.txt (data/frequency): the 50,000 most frequent English and Russian word forms\n'
  printf ' of the OpenSubtitles 2018 corpus (OPUS; P. Lison and J. Tiedemann, 2016), from the\n'
  printf ' FrequencyWords lists by Hermit Dave, under CC-BY-SA-4.0.\n'
  if [ $# -ge 6 ]; then
    ru='dictionaries/ru_RU/*' thesaurus='dictionaries/ru_RU/th_ru_RU_M_aot_and_v2.dat'
    printf '\nFiles: %s/dictionary.kiv\n' "$data"
    field "$ru" Copyright "$3"
    field "$thesaurus" Copyright "$4" | sed 's/^Copyright:/          /'
    ru_licence=$(field "$ru" License "$3" | sed -n '1s/^License: *//p')
    printf 'License: %s and LGPL-2.1\n' "$ru_licence"
    printf 'Comment: The base forms of the Russian word list of the Debian package hunspell-ru\n'
    printf ' (dictionaries/ru_RU/ru_RU.dic) without their affix flags, and as descriptions the\n'
    printf ' synonyms, related terms and antonyms of the Russian thesaurus of the Debian\n'
    printf ' package mythes-ru (dictionaries/ru_RU/th_ru_RU_M_aot_and_v2.dat, LGPL-2.1):\n'
    printf ' modified versions of both.\n'
    printf '\nFiles: %s/english.kiv\n' "$data"
    field '*' Copyright "$5"
    field '*' License "$5"
    printf 'Comment: The single-word lemmas and glosses of WordNet 3.0, from the Debian\n'
    printf ' package wordnet-base.\n'
    printf '\nFiles: %s/meaning_bridge.bin\n' "$data"
    # The notice from its first copyright line to the pointer to the licence's full text.
    notice=$(sed -n '/^ *Copyright (C)/,/common-licenses\/GPL-2/p' "$6" | sed 's/^ *//')
    [ -n "$notice" ] || { echo "no copyright notice in $6" >&2; exit 1; }
    printf '%s\n' "$notice" | sed -n 's/^Copyright (C) /Copyright: /p' | sed '2,$s/^Copyright:/          /'
    printf 'License: GPL-2+\n'
    printf '%s\n' "$notice" | awk '/^Copyright \(C\)/ || (!started && /^$/) { next }
                                   { started = 1; print /^$/ ? " ." : " " $0 }'
    printf 'Comment: The Russian translations of the single-word English head words of the\n'
    printf ' English-Russian dictionary of V. K. Mueller (7th edition; electronic versions by\n'
    printf ' S. Starostin and E. S. Cymbalyuk), from the Debian package mueller7-dict, a\n'
    printf ' modified version.\n'
    printf '\n'
    field "$ru" License "$3"
    printf '\nLicense: LGPL-2.1\n'
    printf ' On Debian systems, the complete text of the GNU Lesser General Public License\n'
    printf ' version 2.1 can be found in "/usr/share/common-licenses/LGPL-2.1".\n'
  fi
  printf '\nLicense: CC-BY-SA-4.0\n'
  printf ' Creative Commons Attribution-ShareAlike 4.0 International,\n'
  printf ' https://creativecommons.org/licenses/by-sa/4.0/legalcode\n'
} >"$out.tmp"
mv "$out.tmp" "$out"
