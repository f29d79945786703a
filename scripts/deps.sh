#!/usr/bin/env bash
# Installs the Debian 12 packages Lumor needs, when any is missing.
#   scripts/deps.sh              what building and running the program needs (scripts/run.sh)
#   scripts/deps.sh --test       that and what the tests need (scripts/test.sh)
#   scripts/deps.sh PACKAGE...   those packages instead (the other scripts' own needs)
# LUMOR_NO_RECOMMENDS=1 leaves out what the packages only recommend.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev libcli11-dev
          libtomlplusplus-dev fonts-dejavu-core fonts-liberation qt6-translations-l10n)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
          clang libclang-rt-14-dev clang-format python3 poppler-utils
          mingw-w64 wine64 googletest)  # the last three for the Windows check (test-windows.sh)
if [ "${1:-}" = --test ]; then
  packages+=("${test_packages[@]}")
elif [ $# -gt 0 ]; then
  packages=("$@")
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  recommends=()
  [ "${LUMOR_NO_RECOMMENDS:-0}" = 1 ] && recommends=(--no-install-recommends)
  # Through env: sudo drops the caller's environment, and apt would ask debconf's questions.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${recommends[@]}" "${missing[@]}"
fi
