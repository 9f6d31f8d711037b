#!/usr/bin/env bash
# Drives the bash completion as bash would and checks what it offers; every value it offers for
# pelmar-count and pelmar-history must be one the command accepts.
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

# pelmar-history completes folders and groups from its own --folders list; a stand-in lists a
# fixed set (the real program is tested on real folders elsewhere) and hands every other call
# to the real one.
real_history=$(command -v pelmar-history)
mkdir stand-in
cat >stand-in/pelmar-history <<STANDIN
#!/usr/bin/env bash
if [[ " \$* " == *" --folders "* ]]; then
    if [[ \$1 == --data-dir ]]; then
        printf '%s\\n' "other in \$2"
    else
        printf '%s\\n' 2025年度 '  1学期' '  2学期' 'my folder' '  spring term' '  summer'
    fi
    exit 0
fi
exec "$real_history" "\$@"
STANDIN
chmod +x stand-in/pelmar-history
PATH="$work/stand-in:$PATH"

expect "--samples" pelmar-history --sa
expect "--folders" pelmar-history --fo
expect "" pelmar-history sub
expect "part" pelmar-history --samples p
expect "0,0 0,1 0,2" pelmar-history --levels 0,
expect "2025年度 my\\ folder" pelmar-history --group ""
expect "my\\ folder" pelmar-history --group my
expect "spring\\ term summer" pelmar-history --group "my\\ folder" ""
expect "1学期" pelmar-history --group 2025年度 1
expect "other\\ in\\ sub" pelmar-history --data-dir sub --group o
expect "subfolder" pelmar-history --data-dir sub

for option in --samples --levels; do
    for value in $(offered pelmar-history "$option" ""); do
        if ! "$real_history" --data-dir "$work/empty" "$option" "$value" >/dev/null 2>&1; then
            echo "FAIL: pelmar-history refuses '$option $value', which the completion offers"
            failures=$((failures + 1))
        fi
    done
done

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
