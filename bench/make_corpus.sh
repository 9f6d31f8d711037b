#!/usr/bin/env bash
# Writes the benchmark's prose (the system's licence texts repeated to at least N MB, default
# 10) to FILE, for whole-program runs under /usr/bin/time -v.
set -euo pipefail
out=${1:?usage: make_corpus.sh FILE [MB]}
mb=${2:-10}
: > "$out"
while (( $(stat -c %s "$out") < mb * 1024 * 1024 )); do
  cat /usr/share/common-licenses/* >> "$out"
done
