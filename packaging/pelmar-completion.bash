# bash completion for pelmar, pelmar-count and pelmar-history.
# The options and whether they take a value are read from each command's own --help, so the
# completion never falls behind the program; only the value lists of pelmar-count and
# pelmar-history are written out here. pelmar-history's folders and groups are the ones it
# lists itself (--folders), in the data folder the command line names.

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

# Lines that match the word being completed, each one reply; a blank in a name is escaped so
# that the name stays one word.
_pelmar_lines() {
    local typed=${1//\\/} line
    COMPREPLY=()
    while IFS= read -r line; do
        [[ -n $line && $line == "$typed"* ]] && COMPREPLY+=("${line// /\\ }")
    done
}

# pelmar-history --folders for the data folder given on the command line, if any.
_pelmar_folders() {
    local command=$1 i
    local -a data=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        [[ ${COMP_WORDS[i]} == --data-dir ]] && data=(--data-dir "${COMP_WORDS[i + 1]}")
    done
    "$command" "${data[@]}" --folders 2>/dev/null
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
    if [[ $name == pelmar-history ]]; then
        case $prev in
        --samples)
            COMPREPLY=($(compgen -W 'all part none' -- "$cur"))
            return
            ;;
        --levels)
            _pelmar_list "$cur" 0 1 2
            return
            ;;
        --group)
            # The folders: the lines without indentation.
            _pelmar_lines "$cur" < <(_pelmar_folders "$command" | grep -v '^ ')
            return
            ;;
        esac
        local before=""
        ((COMP_CWORD > 1)) && before=${COMP_WORDS[COMP_CWORD - 2]}
        if [[ $before == --group ]]; then
            # The groups of the folder just named: its indented lines.
            _pelmar_lines "$cur" < <(_pelmar_folders "$command" |
                awk -v folder="${prev//\\/}" '/^  / { if (in_folder) print substr($0, 3); next }
                                         { in_folder = ($0 == folder) }')
            return
        fi
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
    # pelmar-history reads no files: only its options are offered.
    if [[ $cur == -* || $name == pelmar-history ]]; then
        COMPREPLY=($(compgen -W "$(_pelmar_options "$command")" -- "$cur"))
        return
    fi
    _pelmar_files
}

complete -F _pelmar pelmar pelmar-count pelmar-history
