#!/usr/bin/env bash
# Builds Lumor with its tests and runs every test, three ways:
#   1. the plain suite (Release, build-test);
#   2. the same tests built in Debug with AddressSanitizer and
#      UndefinedBehaviorSanitizer (build-asan); any finding fails the test that made it;
#   3. the Windows check: the core and its tests cross-built with mingw-w64 and run under Wine
#      (build-windows; scripts/test-windows.sh);
#   4. a short libFuzzer run of every fuzz target (clang, build-fuzz; fuzz/run.sh).
# First it checks that every source file is laid out as .clang-format says; the suites include
# the layer check (scripts/check-layers.py).
# LUMOR_FUZZ_SECONDS sets the seconds per fuzz target (default 30; 0 skips fuzzing).
# LUMOR_WERROR=ON makes every warning in Lumor's own code an error (CI sets it).
# The configurations are CMakePresets.json's "test" and "asan". The plain suite is built in
# Release, the sanitized one in Debug: both configurations the
# users build are compiled with every warning on.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
fuzz_seconds="${LUMOR_FUZZ_SECONDS:-30}"
werror="${LUMOR_WERROR:-OFF}"
start=$SECONDS
"$root/scripts/deps.sh" --test
export QT_QPA_PLATFORM=offscreen

step() { echo; echo "=== $* ($(( SECONDS - start ))s)"; }

step "layout of the code (clang-format, .clang-format)"
mapfile -t sources < <(cd "$root" && find src tests fuzz benchmarks \( -name '*.h' -o -name '*.cpp' \) | sort)
(cd "$root" && clang-format --dry-run --Werror "${sources[@]}")
echo "clang-format: ${#sources[@]} files as .clang-format lays them out"

step "plain build and tests, Release (build-test)"
(cd "$root" && cmake --preset test -DLUMOR_WERROR="$werror")
cmake --build "$root/build-test" -j"$jobs"
ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"

step "Windows check: the core cross-built and tested under Wine (build-windows)"
"$root/scripts/test-windows.sh" | tee "$root/build-windows.log"
windows_summary="$(tail -1 "$root/build-windows.log")"
rm -f "$root/build-windows.log"

step "sanitized build and tests, Debug (build-asan)"
(cd "$root" && cmake --preset asan -DLUMOR_WERROR="$werror")
cmake --build "$root/build-asan" -j"$jobs"
# A finding ends the test process with an error, so ctest reports that test as failed.
ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

fuzz_summary="fuzzing skipped"
if [ "$fuzz_seconds" -gt 0 ]; then
  step "fuzz smoke run, ${fuzz_seconds}s per target (build-fuzz)"
  "$root/fuzz/run.sh" "$fuzz_seconds" | tee "$root/build-fuzz.log"
  fuzz_summary="$(tail -1 "$root/build-fuzz.log")"
  rm -f "$root/build-fuzz.log"
fi

echo
echo "ALL TESTS PASSED: plain suite, Windows check (${windows_summary#WINDOWS CHECK PASSED: }), sanitized suite (ASan+UBSan), ${fuzz_summary}; $(( SECONDS - start ))s"
