#!/usr/bin/env bash
# Drives the bash completion as bash would and checks what it offers; every value it offers for
# pelmar-count must be one pelmar-count accepts.
# usage: completion_test.sh COMPLETION_SCRIPT PROGRAM_FOLDER...
set -u
script=$1
shift
for folder in "$@"; do PATH="$(cd "$folder" && pwd):$PATH"; done
# shellcheck source=/dev/null
source "$script"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir subfolder
touch subtext.txt

failures=0
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _pelmar "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}
expect() {
    local want=$1 got
    shift
    got=$(offered "$@")
    if [[ $got != "$want" ]]; then
        echo "FAIL: [$*] offers '$got', expected '$want'"
        failures=$((failures + 1))
    fi
}

expect "--view" pelmar-count --vi
expect "--data-dir" pelmar-count --d
expect "--help" pelmar --he
expect "readability" pelmar-count --view r
expect "PMJP,FKGL PMJP,FORC PMJP,FRES PMJP,FryG" pelmar-count --index PMJP,F
expect "3syl" pelmar-count --show 3
expect "" pelmar-count --save ""
expect "subfolder" pelmar-count --data-dir sub
expect "subfolder subtext.txt" pelmar-count sub
expect "subfolder subtext.txt" pelmar sub

for option in --show --index --view --condition; do
    for value in $(offered pelmar-count "$option" ""); do
        if ! echo "A cat sat." | pelmar-count "$option" "$value" >/dev/null 2>&1; then
            echo "FAIL: pelmar-count refuses '$option $value', which the completion offers"
            failures=$((failures + 1))
        fi
    done
done

((failures == 0)) && echo "completion: all cases pass"
exit $((failures > 0))
