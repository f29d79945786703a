#!/usr/bin/env bash
# Installs the Debian 12 packages Lumor needs to build, run and test, when any is missing.
#   scripts/deps.sh              the packages below
#   scripts/deps.sh PACKAGE...   those packages instead (the other scripts' own needs)
# LUMOR_NO_RECOMMENDS=1 leaves out what the packages only recommend.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev libcli11-dev libtomlplusplus-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core fonts-liberation
          qt6-translations-l10n xvfb xauth
          clang libclang-rt-14-dev clang-format python3 poppler-utils
          mingw-w64 wine64 googletest)  # the last three for the Windows check (test-windows.sh)
[ $# -gt 0 ] && packages=("$@")
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
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${recommends[@]}" "${missing[@]}"
fi
