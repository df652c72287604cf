#!/bin/sh
# Builds the meaning bridge: the Russian translations of the English head words of the
# English–Russian dictionary of the Debian package mueller7-dict, read by make_meaning_bridge
# under a note that names the source and carries its licence.
# Usage: meaning_bridge.sh MAKE_MEANING_BRIDGE INDEX DICT_DZ COPYRIGHT WORK OUT
set -eu
tool=$1 index=$2 dict=$3 copyright=$4 work=$5 out=$6

mkdir -p "$work" "$(dirname "$out")"
gzip -dc "$dict" >"$work/entries"
{
  printf 'Russian-English bridge of the search by meaning: the Russian translations of the\n'
  printf 'single-word English head words of the English-Russian dictionary (V. K. Mueller, 7th\n'
  printf 'edition, electronic version by S. Starostin and E. S. Cymbalyuk) of the Debian package\n'
  printf 'mueller7-dict, a modified version, under the GNU General Public License, version 2 or\n'
  printf 'later. Its copyright file follows.\n\n'
  cat "$copyright"
} >"$work/note"
"$tool" "$out" "$work/note" "$index" "$work/entries"
rm -f "$work/entries"
