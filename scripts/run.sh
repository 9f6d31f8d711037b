#!/usr/bin/env bash
# Builds the program and runs it on the sample text.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target pelmar-count
./build/src/cli/pelmar-count --words "${1:-samples/sample.txt}"
