# Turns a thesaurus of the MyThes v2 format (UTF-8) into import lines "word<TAB><TAB>description":
# the synonyms, similar and related terms of each head word on the first line of its
# description, its antonyms after "антонимы: " on a second one. Give the word list first (one
# word a line, as the dictionary holds them), then the thesaurus:
#   awk -f mythes_tsv.awk words.txt th_ru_RU_v2.dat
# A head word goes to the entry of the same word, else to the entry that differs from it only
# by a capital first letter (proper nouns); a head word the list lacks becomes a new entry only
# when it is one word of letters and hyphens. The layout (one meaning a line):
#   head|meanings
#   (kind)|term|term...

BEGIN {
  upper = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
  lower = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"
  # Cyrillic letters are two bytes each in UTF-8.
  for (i = 1; i <= length(upper); i += 2) small[substr(upper, i, 2)] = substr(lower, i, 2)
  for (c = 65; c <= 90; ++c) small[sprintf("%c", c)] = sprintf("%c", c + 32)
}

FNR == NR {
  known[$0] = 1
  key = uncapitalised($0)
  if (key != $0 && !(key in proper)) proper[key] = $0
  next
}

FNR == 1 { sub(/^\357\273\277/, ""); if ($0 !~ /\|/) next }  # the encoding line

/^\(/ {
  if (head == "") next
  kind = substr($0, 2, index($0, ")") - 2)
  n = split(substr($0, index($0, "|") + 1), terms, "|")
  for (i = 1; i <= n; ++i) {
    if (terms[i] == "" || terms[i] == head) continue
    if (kind == "антоним") add_term("antonyms", terms[i])
    else add_term("synonyms", terms[i])
  }
  next
}

{
  flush()
  head = substr($0, 1, index($0, "|") - 1)
  if (head in known) word = head
  else if (head in proper) word = proper[head]
  else if (head ~ /^([A-Za-z-]|[\320\321][\200-\277])+$/) word = head
  else head = ""
}

END { flush() }

function add_term(list, term) {
  if ((list, term) in seen) return
  seen[list, term] = 1
  gsub(/\\/, "&&", term)
  text[list] = text[list] (text[list] == "" ? "" : ", ") term
}

function flush() {
  if (head != "" && (text["synonyms"] != "" || text["antonyms"] != "")) {
    description = text["synonyms"]
    if (text["antonyms"] != "")
      description = description (description == "" ? "" : "\\n") "антонимы: " text["antonyms"]
    print word "\t\t" description
  }
  head = ""
  delete text
  for (k in seen) delete seen[k]
}

function uncapitalised(w,   first) {
  first = substr(w, 1, 1)
  if (first ~ /[\320\321]/) first = substr(w, 1, 2)
  return (first in small) ? small[first] substr(w, length(first) + 1) : w
}
