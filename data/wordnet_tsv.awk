# Turns the WordNet 3.0 database into import lines "word<TAB>parts<TAB>description": every
# lemma of letters and hyphens (no collocations), the parts of speech it belongs to, and its
# glosses, numbered when there are several, ordered by the index files as given and then by
# sense; a gloss is followed by "; syn.: " and the other words of its synset, if any, and for
# an adjective by "; similar: " and the words of the synsets WordNet calls similar (a
# cluster's head and its satellites), then by the words of the related synsets, each kind
# after its label: "hypernym: " (the broader synsets, instances' classes too), "also: " (see
# also), "related: " (derivationally related forms of the lemma itself), "attribute: " (the
# nouns an adjective measures and back). Give the data.* files first, then the index.* files, e.g.
#   awk -f wordnet_tsv.awk data.noun data.verb index.noun index.verb
# Lines that start with a space are the licence text at the top of every file. The layouts
# (wndb(5)):
#   data:  offset lex_filenum ss_type w_cnt word lex_id ... p_cnt ptr... | gloss
#   index: lemma pos synset_cnt p_cnt ptr_symbol... sense_cnt tagsense_cnt offset...
# where the last synset_cnt fields of an index line are the offsets, in sense order.

BEGIN {
  part["noun"] = "n"; part["verb"] = "v"; part["adj"] = "a"; part["adv"] = "r"
  # The pointer kinds kept, by label, in the order they are written.
  label["@"] = label["@i"] = "hypernym"
  label["^"] = "also"
  label["+"] = "related"
  label["="] = "attribute"
  labels = "hypernym also related attribute"
}

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
  # An adjective's "similar to" pointers ("&") join a cluster's head and its satellites;
  # the other kinds kept are resolved once every data file is read.
  similar[pos, $1] = ""
  pointers[pos, $1] = ""
  first = 6 + 2 * strtonum16($4)  # the first pointer, after p_cnt
  for (i = 0; i < $(first - 1) + 0; ++i) {
    symbol = $(first + 4 * i)
    if (symbol == "&") similar[pos, $1] = similar[pos, $1] " " $(first + 4 * i + 1)
    else if (symbol in label)
      pointers[pos, $1] = pointers[pos, $1] " " symbol "," $(first + 4 * i + 1) "," \
                          $(first + 4 * i + 2) "," $(first + 4 * i + 3)
  }
  next
}

$1 !~ /^[A-Za-z][A-Za-z-]*$/ { next }

{
  if (!($1 in senses)) order[++words] = $1
  parts[$1] = parts[$1] pos
  for (i = NF - $3 + 1; i <= NF; ++i) {
    if (!((pos, $i) in glosses)) fail("no synset " $i " for " $1)
    text[$1, ++senses[$1]] = glosses[pos, $i] synonyms($1, members[pos, $i]) \
                             similars(pos, similar[pos, $i]) relations($1, pos, $i)
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

# The related words of `lemma` in synset `offset` of part `pos`: "; label: word, word" per
# kind. A lexical pointer (source/target "sstt" not 0000) counts only from the lemma's own
# word number and names only its target word.
function relations(lemma, pos, offset,   own, n, list, i, f, tpos, words, from, to, k, m, \
                   out, kinds, found) {
  own = member_number(lemma, members[pos, offset])
  n = split(pointers[pos, offset], list, " ")
  for (i = 1; i <= n; ++i) {
    split(list[i], f, ",")
    tpos = f[3] == "s" ? "a" : f[3]
    from = strtonum16(substr(f[4], 1, 2))
    to = strtonum16(substr(f[4], 3, 2))
    if (from != 0 && from != own) continue
    m = split(substr(members[tpos, f[2]], 2), words, "|")
    for (k = 1; k <= m; ++k)
      if ((to == 0 || to == k) && tolower(words[k]) != tolower(lemma) && \
          !((label[f[1]], words[k]) in found)) {
        found[label[f[1]], words[k]] = 1
        kinds[label[f[1]]] = kinds[label[f[1]]] (kinds[label[f[1]]] == "" ? "" : ", ") words[k]
      }
  }
  n = split(labels, list, " ")
  for (i = 1; i <= n; ++i) if (kinds[list[i]] != "") out = out "; " list[i] ": " kinds[list[i]]
  return out
}

# The place of `lemma` among the words of `list` ("|word|word..."), from 1; 0 when absent.
function member_number(lemma, list,   n, words, i) {
  n = split(substr(list, 2), words, "|")
  for (i = 1; i <= n; ++i) if (tolower(words[i]) == tolower(lemma)) return i
  return 0
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
