#!/bin/sh
# Builds the bundled English dictionary from WordNet 3.0 (wordnet_tsv.awk: single-word lemmas,
# their parts of speech, glosses, synonyms, similar adjectives and related words), imported by
# gryvel-cli under a header that names the source and carries its licence.
# Usage: english_dictionary.sh GRYVEL_CLI WORDNET_DIR COPYRIGHT TSV OUT
set -eu
cli=$1 wordnet=$2 copyright=$3 tsv=$4 out=$5
here=$(dirname "$0")

# Nouns, verbs, adjectives, adverbs: the order of each word's glosses.
awk -f "$here/wordnet_tsv.awk" \
  "$wordnet/data.noun" "$wordnet/data.verb" "$wordnet/data.adj" "$wordnet/data.adv" \
  "$wordnet/index.noun" "$wordnet/index.verb" "$wordnet/index.adj" "$wordnet/index.adv" >"$tsv"

intro="Every single-word lemma of WordNet 3.0 (Debian package wordnet-base) with its parts\
 of speech and its glosses: nouns, verbs, adjectives, adverbs, each in sense order, each\
 gloss followed by the other words of its synset (\"syn.:\") and, for an adjective, the\
 words of the synsets WordNet calls similar (\"similar:\"), then the words of its broader\
 synsets (\"hypernym:\"), of \"see also\" (\"also:\"), its derivationally related forms\
 (\"related:\") and attributes (\"attribute:\")."
licence=$(awk -v files='*' -f "$here/copyright_licence.awk" "$copyright")

mkdir -p "$(dirname "$out")"
"$cli" import --language ENG --title 'English (WordNet 3.0)' \
  --author 'Princeton University' --comments "$(printf '%s\r\n\r\n%s' "$intro" "$licence")" \
  "$tsv" "$out"
