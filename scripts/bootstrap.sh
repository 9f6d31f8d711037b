#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the benchmarks and the Debian package need.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xauth libx11-dev
  desktop-file-utils appstream help2man
  dpkg-dev file
)
# The package test builds, checks and installs the Debian package and drives the installed
# window; CI asks for its tools.
if [[ "${PELMAR_WITH_PACKAGE:-0}" == 1 ]]; then
  packages+=(lintian xdotool man-db)
fi
# The fuzz targets want clang and its runtime; CI does not run them, so only on request.
if [[ "${PELMAR_WITH_FUZZ:-0}" == 1 ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
