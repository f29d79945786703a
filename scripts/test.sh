#!/usr/bin/env bash
# Builds Lumor with its tests and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build-test" -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build "$root/build-test" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build-test" --output-on-failure -j"$(nproc)"
