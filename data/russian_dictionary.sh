#!/bin/sh
# Builds the bundled Russian dictionary: the words of the hunspell-ru word list as they stand
# there (base forms, proper nouns capitalised), imported by gryvel-cli under a header that
# names the source and carries its licence.
# Usage: russian_dictionary.sh GRYVEL_CLI RU_RU_DIC COPYRIGHT TSV OUT
set -eu
cli=$1 words=$2 copyright=$3 tsv=$4 out=$5
here=$(dirname "$0")

# The first line holds the word count; affix flags follow a word after "/".
sed -e 1d -e 's|/.*||' "$words" >"$tsv"

intro="Base forms of the Russian word list of the Debian package hunspell-ru\
 (dictionaries/ru_RU/ru_RU.dic) without their affix flags: a modified version."
licence=$(awk -v files='dictionaries/ru_RU/*' -f "$here/copyright_licence.awk" "$copyright")

mkdir -p "$(dirname "$out")"
"$cli" import --language RUS --title 'Русский словарь (hunspell-ru)' \
  --author 'Alexander I. Lebedev' --comments "$(printf '%s\r\n\r\n%s' "$intro" "$licence")" \
  "$tsv" "$out"
