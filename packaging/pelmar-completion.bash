# bash completion for pelmar, pelmar-count and pelmar-history.
# The options and whether they take a value are read from each command's own --help, so the
# completion never falls behind the program; only the value lists of pelmar-count are written
# out here.

_pelmar_help() {
    "$1" --help 2>/dev/null
}

# Every option the help lists, one a line ("-h", "--help", "--view", ...).
_pelmar_options() {
    _pelmar_help "$1" |
        sed -nE 's/^ +((-[[:alnum:]], )?--?[[:alnum:]][[:alnum:]-]*).*/\1/p' |
        tr ',' '\n' | tr -d ' '
}

# The placeholder the help shows after an option that takes a value ("<dir>"), else nothing.
_pelmar_value_of() {
    _pelmar_help "$1" | sed -nE "s/^ +(-[[:alnum:]], )?$2 (<[^>]*>).*/\\2/p" | head -n 1
}

# Completes the last item of a comma-separated list.
_pelmar_list() {
    local cur=$1 head="" item
    shift
    [[ $cur == *,* ]] && head=${cur%,*},
    COMPREPLY=()
    for item in "$@"; do
        [[ $head$item == "$cur"* ]] && COMPREPLY+=("$head$item")
    done
    [[ ${#COMPREPLY[@]} -eq 1 && $head == "" ]] || compopt -o nospace 2>/dev/null
}

_pelmar_files() {
    if declare -F _filedir >/dev/null; then
        _filedir "$@"
    else
        local IFS=$'\n'
        if [[ ${1-} == -d ]]; then
            COMPREPLY=($(compgen -d -- "$cur"))
        else
            COMPREPLY=($(compgen -f -- "$cur"))
        fi
    fi
}

_pelmar() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command=$1 name=${1##*/}

    if [[ $name == pelmar-count ]]; then
        case $prev in
        --view)
            COMPREPLY=($(compgen -W 'full simple readability' -- "$cur"))
            return
            ;;
        --show)
            _pelmar_list "$cur" total summary legend no sent phrase words sylla 1syl 3syl \
                letters cons
            return
            ;;
        --index)
            _pelmar_list "$cur" all PMJP PMEN FKGL CLI FORC FryG GFog SMOG LWF ARI FRES
            return
            ;;
        --condition)
            COMPREPLY=($(compgen -W '1 2 3 4 5' -- "$cur"))
            return
            ;;
        esac
    fi
    if [[ $prev == -* ]]; then
        case $(_pelmar_value_of "$command" "$prev") in
        "") ;;
        "<dir>" | "<folder>")
            _pelmar_files -d
            return
            ;;
        "<file>" | "<path>")
            _pelmar_files
            return
            ;;
        *)
            COMPREPLY=()
            return
            ;;
        esac
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_pelmar_options "$command")" -- "$cur"))
        return
    fi
    _pelmar_files
}

complete -F _pelmar pelmar pelmar-count pelmar-history
