#!/usr/bin/env bash
# Builds the program and starts its window. Without a display it says so and prints what the
# command line measures for the sample text (or the file given) instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target pelmar pelmar-count pelmar_manual_pdf
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec ./build/src/app/pelmar
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open."
echo "This is what pelmar-count measures for ${1:-samples/sample.txt}:"
echo
./build/src/cli/pelmar-count "${1:-samples/sample.txt}"
