#!/usr/bin/env bash
# Whole-program speed and memory of pelmar-count beside GNU style (Debian package diction, which
# must be installed) and wc -w on the same prose. Every command runs three times, in turn with
# the others so that a change in the machine's load hits them alike; the table gives each one's
# best wall time, its peak memory and how many times as fast as style it is.
#   bench/compare_style.sh [CORPUS] [pelmar-count binary]
# CORPUS is a text file or an .xz of one. Without it the shared corpus is used when it is there
# (../shared/bench/prose-20mb.txt.xz beside the checkout), else 20 MB of licence prose made by
# bench/make_corpus.sh.
set -euo pipefail
export LC_ALL=C # a decimal point in EPOCHREALTIME
here=$(cd "$(dirname "$0")" && pwd)
count=${2:-build/src/cli/pelmar-count}
command -v style >/dev/null || { echo "GNU style is missing: apt-get install diction" >&2; exit 2; }
[[ -x $count ]] || { echo "no pelmar-count at $count: build first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus=${1:-}
shared=$here/../../shared/bench/prose-20mb.txt.xz
if [[ -z $corpus && -f $shared ]]; then
  corpus=$shared
fi
file=$work/corpus.txt
if [[ -z $corpus ]]; then
  bash "$here/make_corpus.sh" "$file" 20
  what="licence prose"
elif [[ $corpus == *.xz ]]; then
  xz -dkc "$corpus" > "$file"
  what=$(basename "$corpus" .xz)
else
  cp "$corpus" "$file"
  what=$(basename "$corpus")
fi
size=$(stat -c %s "$file")

labels=(
  "pelmar-count --view full --index all"
  "pelmar-count --view full --index all --jobs 1"
  "pelmar-count --json"
  "pelmar-count --json --jobs 1"
  "pelmar-count --words"
  "pelmar-count --words --jobs 1"
  "style"
  "wc -w"
)
commands=(
  "$count --view full --index all"
  "$count --view full --index all --jobs 1"
  "$count --json"
  "$count --json --jobs 1"
  "$count --words"
  "$count --words --jobs 1"
  "style"
  "wc -w"
)
declare -A best peak
for round in 1 2 3; do
  for i in "${!commands[@]}"; do
    # GNU time gives the peak memory; the wall time is taken to the microsecond around it.
    started=$EPOCHREALTIME
    # shellcheck disable=SC2086 # the command is split into its words on purpose
    /usr/bin/time -f '%M' -o "$work/time" ${commands[$i]} "$file" > /dev/null
    ended=$EPOCHREALTIME
    seconds=$(awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.4f", b - a }')
    read -r kb < "$work/time"
    if [[ -z ${best[$i]:-} ]] || awk -v a="$seconds" -v b="${best[$i]}" 'BEGIN { exit !(a < b) }'; then
      best[$i]=$seconds
    fi
    if [[ -z ${peak[$i]:-} ]] || (( kb > ${peak[$i]} )); then
      peak[$i]=$kb
    fi
  done
done

style_index=6
printf 'input: %s, %.1f MB; best of 3 runs, %s cores\n' "$what" \
  "$(awk -v b="$size" 'BEGIN { print b / 1048576 }')" "$(nproc)"
printf '%-46s %8s %9s %10s %10s\n' command wall MB/s "peak RSS" "vs style"
for i in "${!commands[@]}"; do
  awk -v l="${labels[$i]}" -v s="${best[$i]}" -v k="${peak[$i]}" -v b="$size" \
      -v st="${best[$style_index]}" \
    'BEGIN { t = s > 0 ? s : 0.0001;
             printf "%-46s %7.3fs %9.1f %7.1f MB %9.1fx\n", l, s, b / 1048576 / t, k / 1024, st / t }'
done
