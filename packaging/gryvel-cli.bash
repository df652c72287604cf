# bash completion for gryvel-cli: its commands, its options and their values, and file
# names where a command or option takes a file.

_gryvel_cli() {
    local cur prev words cword
    _init_completion -n = || return

    local commands="crossword anagram palindromes meaning chain analyze list info show convert import"
    local options="-d --dict --case-sensitive --equal --filter --length --sort --descending
        --describe --why --count --json --mode --change --items --text --title --author --comments
        --email --web --language -h --help --version --"

    # The value of the option before the cursor.
    case $prev in
        -d | --dict)
            _filedir
            return
            ;;
        --sort)
            COMPREPLY=($(compgen -W "alpha length" -- "$cur"))
            return
            ;;
        --mode)
            COMPREPLY=($(compgen -W "usual extended make" -- "$cur"))
            return
            ;;
        --language)
            COMPREPLY=($(compgen -W "RUS ENG" -- "$cur"))
            return
            ;;
        --equal | --filter | --length | --change | --items | --title | --author | \
            --comments | --email | --web)
            return
            ;;
    esac
    # --option=value
    case $cur in
        --dict=*)
            cur=${cur#*=}
            _filedir
            return
            ;;
        --sort=*)
            COMPREPLY=($(compgen -W "alpha length" -- "${cur#*=}"))
            return
            ;;
        --mode=*)
            COMPREPLY=($(compgen -W "usual extended make" -- "${cur#*=}"))
            return
            ;;
        --language=*)
            COMPREPLY=($(compgen -W "RUS ENG" -- "${cur#*=}"))
            return
            ;;
    esac

    # The command is the first word that is neither an option nor an option's value.
    local i command="" after_dashes=""
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --) after_dashes=1 ;;
            -d | --dict | --equal | --filter | --length | --sort | --mode | --change | --items | \
                --title | --author | --comments | --email | --web | --language)
                [[ -z $after_dashes ]] && ((i++)) ;;
            -*) [[ -n $after_dashes && -z $command ]] && command=${words[i]} ;;
            *)
                if [[ -z $command ]]; then command=${words[i]}; fi
                ;;
        esac
    done

    if [[ $cur == -* && -z $after_dashes ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
        "") COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
        convert | import) _filedir ;;
    esac
} &&
    complete -F _gryvel_cli gryvel-cli
