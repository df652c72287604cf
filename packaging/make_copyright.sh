#!/bin/sh
# Writes the copyright file of an installation: the program's own notice, then the copyright
# and licence of each bundled word list, taken from the Debian packages they are built from,
# and of the word frequency lists built into the programs.
# Usage: make_copyright.sh HEAD OUT [RU_COPYRIGHT WORDNET_COPYRIGHT BRIDGE_COPYRIGHT]
set -eu
head=$1 out=$2
here=$(dirname "$0")
{
  cat "$head"
  if [ $# -ge 5 ]; then
    printf '\nDictionaries/dictionary.kiv: the base forms of the Russian word list of the Debian\n'
    printf 'package hunspell-ru (dictionaries/ru_RU/ru_RU.dic) without their affix flags,\n'
    printf 'a modified version.\n\n'
    awk -v files='dictionaries/ru_RU/*' -f "$here/../data/copyright_licence.awk" "$3" | tr -d '\r' | sed 's/^./  &/'
    printf '\n\nDictionaries/english.kiv: the single-word lemmas and glosses of WordNet 3.0, from\n'
    printf 'the Debian package wordnet-base.\n\n'
    awk -v files='*' -f "$here/../data/copyright_licence.awk" "$4" | tr -d '\r' | sed 's/^./  &/'
    printf '\n\nDictionaries/meaning_bridge.bin: the Russian translations of the single-word English\n'
    printf 'head words of the English-Russian dictionary of V. K. Mueller (7th edition; electronic\n'
    printf 'versions by S. Starostin and E. S. Cymbalyuk), from the Debian package mueller7-dict,\n'
    printf 'a modified version. License: GPL-2+.\n\n'
    # The notice from its first copyright line to the pointer to the licence's full text.
    notice=$(sed -n '/^ *Copyright (C)/,/common-licenses\/GPL-2/p' "$5" | sed 's/^ *//; s/^./  &/')
    [ -n "$notice" ] || { echo "no copyright notice in $5" >&2; exit 1; }
    printf '%s\n' "$notice"
  fi
  printf '\nThe word frequency lists built into gryvel and gryvel-cli (data/frequency: en_50k.txt,\n'
  printf 'ru_50k.txt): the 50,000 most frequent English and Russian word forms of the\n'
  printf 'OpenSubtitles 2018 corpus (OPUS; P. Lison and J. Tiedemann, 2016), from the\n'
  printf 'FrequencyWords lists by Hermit Dave, unchanged.\n\n'
  printf '  License: CC-BY-SA-4.0\n'
  printf '  Creative Commons Attribution-ShareAlike 4.0 International,\n'
  printf '  https://creativecommons.org/licenses/by-sa/4.0/legalcode\n'
} >"$out.tmp"
mv "$out.tmp" "$out"
