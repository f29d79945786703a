#!/usr/bin/env bash
# Builds Lumor and starts it from its build folder, beside "Komponenty" and "Protokol".
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
(cd "$root" && cmake --preset release)
cmake --build "$root/build-release" -j"$(nproc)"
cd "$root/build-release/bin"
exec ./lumor "$@"
