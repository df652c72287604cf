#!/bin/bash
# The manual page and the bash completion of gryvel-cli name every command and option its
# --help names, and no other; the completion offers commands, options and option values.
# Usage: cli_docs_test.sh GRYVEL_CLI MANUAL_PAGE COMPLETION
set -u
cli=$1 manual=$2 completion=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

help=$("$cli" --help) || { echo "FAIL: $cli --help"; exit 1; }
commands=$(printf '%s\n' "$help" | sed -n '/^Commands:/,/^$/p' | sed -n 's/^  \([a-z]\+\)\( .*\)\?$/\1/p')
options=$(printf '%s\n' "$help" | grep -o -- '--[a-z][a-z-]*\|\(^\| \)-[a-z]\b' | tr -d ' ' | sort -u)
[[ $(wc -w <<<"$commands") -ge 10 && $(wc -w <<<"$options") -ge 20 ]] ||
  fail "could not read the commands and options of --help"

# The page's text with troff's escaped hyphens as plain ones.
page=$(sed 's/\\-/-/g' "$manual")
page_options=$(grep -o -- '--[a-z][a-z-]*' <<<"$page" | sort -u)
for command in $commands; do
  grep -q "^\.BI\? $command\b" <<<"$page" || fail "manual page: no entry for command $command"
  grep -qw -- "$command" "$completion" || fail "completion: no command $command"
done
for option in $options; do
  grep -q -- "^\.B[IR]\? .*$option\b" <<<"$page" || fail "manual page: no entry for option $option"
  grep -q -- "$option\b" "$completion" || fail "completion: no option $option"
done
for option in $page_options; do
  grep -qx -- "$option" <<<"$options" || fail "manual page names $option, which --help does not"
done

# The completion at work, when bash-completion is installed.
library=/usr/share/bash-completion/bash_completion
if [[ -r $library ]]; then
  source "$library"
  source "$completion"
  complete_line() {  # the completions of the words given, the last one being completed
    COMP_WORDS=(gryvel-cli "$@")
    COMP_CWORD=$#
    COMP_LINE="gryvel-cli $*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _gryvel_cli gryvel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' '
  }
  check() {  # expected completions, then the words
    local expected=$1
    shift
    local got
    got=$(complete_line "$@")
    [[ $got == "$expected" ]] || fail "completing '$*': got '$got', expected '$expected'"
  }
  check "crossword " cr
  check "chain " ch
  check "--case-sensitive --change --comments --count " --c
  check "alpha length " --sort ""
  check "extended " anagram --mode e
  check "ENG RUS " --language ""
  check "anagram analyze " -d words.kiv an
  check "info " --length 5 --sort length inf
  check "" crossword "п?"
  check "--descending --describe " crossword x --des
fi

[[ $failures -eq 0 ]] && echo "all commands and options covered"
[[ $failures -eq 0 ]]
