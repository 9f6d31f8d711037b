#!/usr/bin/env bash
# Whole-program speed of pelmar-count beside GNU style (Debian package diction) on the same
# prose, in one run: wall time, throughput, peak memory and the ratio.
#   bench/compare_style.sh [MB] [pelmar-count binary]
set -euo pipefail
mb=${1:-20}
count=${2:-build/src/cli/pelmar-count}
command -v style >/dev/null || { echo "GNU style is missing: apt-get install diction" >&2; exit 2; }
file=$(mktemp --suffix=.txt)
trap 'rm -f "$file"' EXIT
bash "$(dirname "$0")/make_corpus.sh" "$file" "$mb"
size=$(stat -c %s "$file")

run() { # label, command...
  local label=$1; shift
  /usr/bin/time -f '%e %M' -o /tmp/compare_style.$$ "$@" "$file" > /dev/null
  read -r seconds kb < /tmp/compare_style.$$
  rm -f /tmp/compare_style.$$
  awk -v l="$label" -v s="$seconds" -v k="$kb" -v b="$size" \
    'BEGIN { printf "%-40s %6.2f s %7.1f MB/s %7.1f MB peak\n", l, s, b / 1048576 / s, k / 1024 }'
  echo "$seconds" >> /tmp/compare_style.times.$$
}
: > /tmp/compare_style.times.$$
echo "input: $(awk -v b="$size" 'BEGIN { printf "%.1f MB", b / 1048576 }') of licence prose"
run "pelmar-count --view full --index all" "$count" --view full --index all
run "style" style
awk 'NR == 1 { p = $1 } NR == 2 { s = $1 } END { printf "pelmar-count is %.1f times as fast as style\n", s / p }' \
  /tmp/compare_style.times.$$
rm -f /tmp/compare_style.times.$$
