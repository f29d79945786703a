#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, in build-fuzz) and runs every target for SECONDS
# seconds each (default 30), starting from its seeds in fuzz/corpus/<target>/. Fails when a
# target crashes, breaks one of its invariants, leaks, or runs out of time or memory on one
# input; the input that did it is kept in build-fuzz/artifacts/.
#   fuzz/run.sh [SECONDS] [TARGET...]      e.g. fuzz/run.sh 3600 draw_route
# New inputs found go to build-fuzz/corpus/<target>/ (kept between runs); copy the useful
# ones into fuzz/corpus/ by hand.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
shift || true
build="${LUMOR_FUZZ_BUILD:-$root/build-fuzz}"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(route_load library_load library_csv slot_number length_filter numeric_filter
           draw_route report_page text_decoding)
fi

if [ ! -f "$build/build.ninja" ]; then
  (cd "$root" && cmake --preset fuzz -B "$build" -DLUMOR_WERROR="${LUMOR_WERROR:-OFF}" >/dev/null)
fi
cmake --build "$build" --target lumor_fuzz -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p "$build/artifacts" "$build/logs"
failed=()
total=0
for t in "${targets[@]}"; do
  # The list files hold 2816- and 2564-byte records: let inputs reach a few records.
  max_len=4096
  case "$t" in route_load | library_load) max_len=12000 ;; esac
  work="$build/corpus/$t"
  mkdir -p "$work"
  log="$build/logs/$t.log"
  status=0
  "$build/fuzz/fuzz_$t" "$work" "$root/fuzz/corpus/$t" -max_total_time="$seconds" \
    -max_len="$max_len" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$t-" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  runs="${runs:-0}"
  total=$((total + runs))
  if [ "$status" -ne 0 ]; then
    failed+=("$t")
    echo "fuzz_$t: FAILED (exit $status) after $runs executions; log $log" >&2
    tail -40 "$log" >&2
  else
    printf 'fuzz_%-15s %10s executions in %ss, corpus %s inputs\n' "$t" "$runs" "$seconds" \
      "$(find "$work" -type f | wc -l)"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}" >&2
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets, $total executions, no findings"
