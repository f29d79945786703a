#!/usr/bin/env bash
# The Windows check: cross-builds the Qt-free core, the standard library's generator and the
# core's tests for 64-bit Windows with mingw-w64 (build-windows, cmake/mingw-w64.cmake), runs the
# tests under Wine, and checks the ZIP's layout and a Czech file name given on the command line.
# The GUI and lumor-cli need a Windows build of Qt, which this machine lacks.
# Wine runs in its own prefix below the build folder, with its background services (Mono,
# Gecko) and its menu builder (which writes menu entries and file types into the home folder)
# off and one wineserver kept warm for the whole check; it needs no display. Wine's own errors
# are shown; the build runs its programs through scripts/wine-run.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-windows"
werror="${LUMOR_WERROR:-OFF}"
start=$SECONDS
"$root/scripts/deps.sh" --test

step() { echo; echo "=== $* ($(( SECONDS - start ))s)"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
[ -x "$wine" ] && [ -x "$wineserver" ] || fail "Wine not found (package wine64)"
export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all,err+all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# UTF-8 arguments from here reach the programs as the Unicode text they are.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

step "Wine prefix ($WINEPREFIX)"
mkdir -p "$WINEPREFIX"
echo "$("$wine" --version 2>/dev/null || echo Wine) on $(stat -f -c %T "$WINEPREFIX" 2>/dev/null || echo "?")"
"$wineserver" -p  # persistent: every program below starts at once
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" wineboot --init > /dev/null 2>&1 || fail "wineboot could not make the prefix"

step "cross build of the core and its tests (mingw-w64)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOR_WERROR="$werror" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DLUMOR_CORE_ONLY=ON \
  -DLUMOR_GTEST_SOURCE=/usr/src/googletest
cmake --build "$build" -j"$(nproc)"

step "core tests under Wine"
log="$build/core-tests.log"
(cd "$build/bin" && "$wine" lumor_core_tests.exe --gtest_color=no) > "$log" 2>&1 || {
  grep -E '^\[  FAILED  \]|Failure|error' -A4 "$log" | head -80
  fail "core tests failed under Wine (whole output: $log)"
}
passed="$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log")"
skipped="$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?,.*/\1/p' "$log")"
grep '^\[  SKIPPED \] [A-Z]' "$log" | grep -v ' ms)$' | sed 's/^/  /' || true
[ -n "$passed" ] && [ "$passed" -gt 0 ] || fail "no core test passed: $log"

step "a Czech file name on the command line"
scratch="$build/scratch"
rm -rf "$scratch" && mkdir -p "$scratch/žluťoučký kůň"
"$wine" "$build/bin/lumor-make-library.exe" "$root/data/stdkmp.csv" "$scratch/žluťoučký kůň/Novák.komp" ||
  fail "lumor-make-library could not write žluťoučký kůň/Novák.komp"
cmp "$scratch/žluťoučký kůň/Novák.komp" "$build/bin/Komponenty/stdkmp.komp" ||
  fail "žluťoučký kůň/Novák.komp differs from Komponenty/stdkmp.komp"
echo "ok: žluťoučký kůň/Novák.komp written, the same as Komponenty/stdkmp.komp"

step "the ZIP's layout (cpack -G ZIP)"
rm -rf "$build/package"
(cd "$build" && cpack -G ZIP -B "$build/package" > /dev/null)
zips=("$build"/package/lumor-*.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || fail "expected one lumor-*.zip in $build/package"
top="$(basename "${zips[0]}" .zip)"
listing="$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "${zips[0]}")"
echo "$listing" | sed 's/^/  /'
for entry in "$top/Komponenty/stdkmp.komp" "$top/Protokol/ORV.gif"; do
  grep -qx "$entry" <<< "$listing" || fail "the ZIP lacks $entry"
done
grep -q "^$top/usr/" <<< "$listing" && fail "the ZIP holds a usr/ folder"
# lumor.exe and lumor-cli.exe (not built here) go where Komponenty and Protokol go: the
# install rules give them the same folder, which is the ZIP's top one.
grep -qx 'LUMOR_INSTALL_PROGRAM_DIR:STRING=.' "$build/CMakeCache.txt" &&
  grep -qx 'LUMOR_INSTALL_CLI_DIR:STRING=.' "$build/CMakeCache.txt" ||
  fail "the program's install folder is not the top folder"
grep -q 'install(TARGETS lumor RUNTIME DESTINATION "${LUMOR_INSTALL_PROGRAM_DIR}")' "$root/cmake/install.cmake" &&
  grep -q 'install(TARGETS lumor-cli RUNTIME DESTINATION "${LUMOR_INSTALL_CLI_DIR}")' "$root/cmake/install.cmake" ||
  fail "lumor.exe or lumor-cli.exe is installed elsewhere"
echo "ok: $top/ holds Komponenty and Protokol, where lumor.exe and lumor-cli.exe go"

echo
echo "WINDOWS CHECK PASSED: $passed core tests passed under Wine (${skipped:-0} skipped); $(( SECONDS - start ))s"
