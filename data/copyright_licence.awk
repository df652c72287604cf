# Prints the Copyright and License fields of one stanza of a Debian copyright file: the stanza
# whose Files field starts with the value of `files` (awk -v files='dictionaries/ru_RU/*').
# Continuation lines lose their first space and a lone "." becomes an empty line. Lines are
# joined by CR LF, the line break of dictionary texts; the last one gets none.

function emit(line) {
  out = out (out == "" ? "" : "\r\n") line
}

/^[^ \t]/ { field = substr($0, 1, index($0, ":") - 1) }
/^Files:/ { split($0, first, /[ \t]+/); inside = (first[2] == files) }
/^$/ { inside = 0 }
!inside || (field != "Copyright" && field != "License") { next }
/^[ \t]\.$/ { emit(""); next }
/^[ \t]/ { emit(substr($0, 2)); next }
{ emit($0) }

END {
  if (out == "") {
    print "no stanza 'Files: " files "' with a licence in " FILENAME > "/dev/stderr"
    exit 1
  }
  printf "%s", out
}
