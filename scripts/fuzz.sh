#!/usr/bin/env bash
# Runs the two fuzz targets (fuzz/) on every core, with AddressSanitizer and
# UndefinedBehaviorSanitizer:
#
#   scripts/fuzz.sh N [build dir]              N executions, half on each target
#   scripts/fuzz.sh --seconds S [build dir]    each target S seconds
#
# Builds the clang fuzz build first (build-fuzz unless given). The inputs found
# gather in <build dir>/fuzz-corpus/<target>, beside the committed seeds of
# fuzz/corpus/<target>, which stay as they are. A crash, a sanitizer report, a
# hang (10 s on one input), a run that changed its input or ended with an exit
# code other than 0 or 1 leaves the input that did it in
# <build dir>/fuzz-artifacts/<target>/ and makes the script fail; replay it with
# <build dir>/fuzz/fuzz_<target> <file> (RAIN_FUZZ_VERBOSE=1 shows the run).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: scripts/fuzz.sh N [build dir] | scripts/fuzz.sh --seconds S [build dir]" >&2
  exit 2
}
limit=()
if [ "${1:-}" = "--seconds" ]; then
  [[ "${2:-}" =~ ^[0-9]+$ ]] || usage
  seconds=$2
  shift 2
else
  [[ "${1:-}" =~ ^[0-9]+$ ]] || usage
  executions=$1
  shift
fi
build=${1:-build-fuzz}
cores=$(nproc)

command -v clang++ >/dev/null || { echo "clang++ not found: the fuzz targets need clang (libFuzzer)" >&2; exit 1; }
CXX=clang++ cmake -S . -B "$build" -DRAIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$cores" --target fuzz_formatter fuzz_series

if [ -n "${seconds:-}" ]; then
  limit=(-max_total_time="$seconds")
else
  # Each worker runs its share; the sum is at least N.
  limit=(-runs=$(((executions / 2 + cores - 1) / cores)))
fi

logs="$build/fuzz-logs"
rm -rf "$logs"
mkdir -p "$logs"
failed=()
started=$(date +%s)
for target in formatter series; do
  mkdir -p "$build/fuzz-corpus/$target" "$build/fuzz-artifacts/$target"
  workers=()
  for worker in $(seq 1 "$cores"); do
    "$build/fuzz/fuzz_$target" "${limit[@]}" -dict=fuzz/records.dict -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
      -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$target/" "$build/fuzz-corpus/$target" "fuzz/corpus/$target" \
      >"$logs/$target-$worker.log" 2>&1 &
    workers+=($!)
  done
  for worker in "${!workers[@]}"; do
    wait "${workers[$worker]}" || failed+=("$logs/$target-$((worker + 1)).log")
  done
done
elapsed=$(($(date +%s) - started))

total=0
for log in "$logs"/*.log; do
  count=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  total=$((total + ${count:-0}))
done
echo "fuzz: $total executions in ${elapsed} s on $cores cores ($((total / (elapsed > 0 ? elapsed : 1))) a second)"
if [ ${#failed[@]} -gt 0 ]; then
  for log in "${failed[@]}"; do
    echo "== $log ==" >&2
    grep -E 'FAULT|ERROR|SUMMARY|runtime error|Test unit written' "$log" >&2 || tail -20 "$log" >&2
  done
  exit 1
fi
