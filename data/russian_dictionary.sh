#!/bin/sh
# Builds the bundled Russian dictionary: the words of the hunspell-ru word list as they stand
# there (base forms, proper nouns capitalised), described by the synonyms and antonyms of the
# mythes-ru thesaurus (mythes_tsv.awk), imported by gryvel-cli under a header that names both
# sources and carries their licences.
# Usage: russian_dictionary.sh GRYVEL_CLI RU_RU_DIC COPYRIGHT THESAURUS THESAURUS_COPYRIGHT TSV OUT
set -eu
cli=$1 words=$2 copyright=$3 thesaurus=$4 thesaurus_copyright=$5 tsv=$6 out=$7
here=$(dirname "$0")

# The first line holds the word count; affix flags follow a word after "/".
sed -e 1d -e 's|/.*||' "$words" >"$tsv.words"
# The import merges a word listed twice: the thesaurus lines give the words their descriptions.
cat "$tsv.words" >"$tsv"
awk -f "$here/mythes_tsv.awk" "$tsv.words" "$thesaurus" >>"$tsv"
rm -f "$tsv.words"

intro="Base forms of the Russian word list of the Debian package hunspell-ru\
 (dictionaries/ru_RU/ru_RU.dic) without their affix flags: a modified version."
licence=$(awk -v files='dictionaries/ru_RU/*' -f "$here/copyright_licence.awk" "$copyright")
thesaurus_intro="Descriptions: the synonyms, similar and related terms (first line) and the\
 antonyms (second line, after \"антонимы:\") of the Russian thesaurus of the Debian package\
 mythes-ru (dictionaries/ru_RU/th_ru_RU_M_aot_and_v2.dat): a modified version. Its head words\
 missing from the word list are added when they are single words."
thesaurus_licence=$(awk -v files='dictionaries/ru_RU/th_ru_RU_M_aot_and_v2.dat' \
  -f "$here/copyright_licence.awk" "$thesaurus_copyright")

mkdir -p "$(dirname "$out")"
"$cli" import --language RUS --title 'Русский словарь (hunspell-ru, mythes-ru)' \
  --author 'Alexander I. Lebedev; Mikhail Korolyov, Yakov Reztsov' \
  --comments "$(printf '%s\r\n\r\n%s\r\n\r\n%s\r\n\r\n%s' "$intro" "$licence" \
    "$thesaurus_intro" "$thesaurus_licence")" \
  "$tsv" "$out"
