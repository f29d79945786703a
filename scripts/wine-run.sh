#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGUMENTS...]: runs a cross-built program under Wine for the build
# (the standard library's generator, the tests' listing); the cross builds name it as their
# emulator (cmake/mingw-w64.cmake, scripts/build-windows.sh).
# A run that fails says so with its exit code, the file system it ran on and Wine's own
# errors, then runs once more with Wine's exception and loader traces, whose last lines are
# shown: a failure of Wine itself (its start, its server) then tells what happened, and one
# that does not come back does not stop the build. The second run's exit code is the result.
set -uo pipefail
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
[ -x "$wine" ] || { echo "wine-run: Wine not found (package wine64)" >&2; exit 127; }
export WINEDEBUG="${WINEDEBUG:--all,err+all}"

"$wine" "$@"
status=$?
[ $status -eq 0 ] && exit 0

{
  echo "wine-run: $* ended with exit code $status in $PWD"
  echo "wine-run: file system here: $(stat -f -c '%T' . 2>/dev/null || echo unknown)," \
    "Wine prefix: ${WINEPREFIX:-default} ($(stat -f -c '%T' "${WINEPREFIX:-$HOME/.wine}" 2>/dev/null || echo unknown))"
  echo "wine-run: running it once more with Wine's traces (+seh, +loaddll, +process, err+all, warn+file)"
} >&2
trace="$(mktemp)"
WINEDEBUG="-all,+seh,+loaddll,+process,err+all,warn+file" "$wine" "$@" 2> "$trace"
status=$?
tail -n 80 "$trace" >&2
rm -f "$trace"
echo "wine-run: the second run ended with exit code $status" >&2
exit $status
