# Turns the WordNet 3.0 database into import lines "word<TAB>parts<TAB>description": every
# lemma of letters and hyphens (no collocations), the parts of speech it belongs to, and its
# glosses, numbered when there are several, ordered by the index files as given and then by
# sense; a gloss is followed by "; syn.: " and the other words of its synset, if any, and for
# an adjective by "; similar: " and the words of the synsets WordNet calls similar (a
# cluster's head and its satellites). Give the data.* files first, then the index.* files, e.g.
#   awk -f wordnet_tsv.awk data.noun data.verb index.noun index.verb
# Lines that start with a space are the licence text at the top of every file. The layouts
# (wndb(5)):
#   data:  offset lex_filenum ss_type w_cnt word lex_id ... p_cnt ptr... | gloss
#   index: lemma pos synset_cnt p_cnt ptr_symbol... sense_cnt tagsense_cnt offset...
# where the last synset_cnt fields of an index line are the offsets, in sense order.

BEGIN { part["noun"] = "n"; part["verb"] = "v"; part["adj"] = "a"; part["adv"] = "r" }

FNR == 1 {
  name = FILENAME
  sub(/.*\//, "", name)
  kind = substr(name, 1, index(name, ".") - 1)
  pos = part[substr(name, index(name, ".") + 1)]
  if (pos == "" || (kind != "data" && kind != "index")) fail("not a WordNet data or index file")
}

/^ / { next }

kind == "data" {
  gloss = substr($0, index($0, " | ") + 3)
  sub(/[ \t]+$/, "", gloss)
  gsub(/\t/, " ", gloss)
  gsub(/\\/, "&&", gloss)  # the import reads "\\" as one backslash
  glosses[pos, $1] = gloss
  members[pos, $1] = ""
  for (i = 0; i < strtonum16($4); ++i) {
    member = $(5 + 2 * i)
    sub(/\([a-z]+\)$/, "", member)  # an adjective's position marker
    gsub(/_/, " ", member)
    members[pos, $1] = members[pos, $1] "|" member
  }
  # An adjective's "similar to" pointers ("&") join a cluster's head and its satellites.
  similar[pos, $1] = ""
  first = 6 + 2 * strtonum16($4)  # the first pointer, after p_cnt
  for (i = 0; i < $(first - 1) + 0; ++i)
    if ($(first + 4 * i) == "&") similar[pos, $1] = similar[pos, $1] " " $(first + 4 * i + 1)
  next
}

$1 !~ /^[A-Za-z][A-Za-z-]*$/ { next }

{
  if (!($1 in senses)) order[++words] = $1
  parts[$1] = parts[$1] pos
  for (i = NF - $3 + 1; i <= NF; ++i) {
    if (!((pos, $i) in glosses)) fail("no synset " $i " for " $1)
    text[$1, ++senses[$1]] = glosses[pos, $i] synonyms($1, members[pos, $i]) \
                             similars(pos, similar[pos, $i])
  }
}

END {
  if (failed) exit 1
  for (w = 1; w <= words; ++w) {
    lemma = order[w]
    description = senses[lemma] == 1 ? text[lemma, 1] : ""
    for (i = 1; senses[lemma] > 1 && i <= senses[lemma]; ++i)
      description = description (i > 1 ? "\\n" : "") i ". " text[lemma, i]
    print lemma "\t" parts[lemma] "\t" description
  }
}

# "; syn.: " and the words of `list` ("|word|word...") other than `lemma`, or "".
function synonyms(lemma, list,   n, words, i, out) {
  n = split(substr(list, 2), words, "|")
  for (i = 1; i <= n; ++i)
    if (tolower(words[i]) != tolower(lemma)) out = out (out == "" ? "" : ", ") words[i]
  return out == "" ? "" : "; syn.: " out
}

# "; similar: " and the words of the synsets at the offsets of `list` (" offset offset...") of
# part `pos`, or "".
function similars(pos, list,   n, offsets, i, out) {
  n = split(list, offsets, " ")
  for (i = 1; i <= n; ++i) out = out (out == "" ? "" : ", ") substr(members[pos, offsets[i]], 2)
  gsub(/\|/, ", ", out)
  return out == "" ? "" : "; similar: " out
}

# The value of a hexadecimal field such as w_cnt.
function strtonum16(field,   i, value) {
  value = 0
  for (i = 1; i <= length(field); ++i)
    value = value * 16 + index("0123456789abcdef", tolower(substr(field, i, 1))) - 1
  return value
}

function fail(message) {
  print FILENAME ":" FNR ": " message > "/dev/stderr"
  failed = 1
  exit 1
}
