#!/usr/bin/env bash
# Builds Lumor and starts it from its build folder, beside "Komponenty" and "Protokol".
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOR_BUILD_TESTS=OFF
cmake --build "$root/build-release" -j"$(nproc)"
cd "$root/build-release/bin"
exec ./lumor "$@"
