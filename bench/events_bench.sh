#!/usr/bin/env bash
# Times Fatia_Chuvadas over a generated ten-year series of one record per
# minute, with a six-hour interruption limit, beside `cat` and `wc -l` of the
# series:
#   bench/events_bench.sh [build dir] [work dir under /tmp]
# Figures are the best of BENCH_RUNS runs (default 3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/rain-bench-events}
source "$here/measure.sh"
mkdir -p "$work/eventos"
cd "$work"
[ -f serie.txt ] || "$build/bench/bench_events_series" serie.txt 10
echo "series: $(($(wc -l < serie.txt) - 1)) records, $(awk -v b="$(stat -c %s serie.txt)" 'BEGIN {printf "%.1f", b / 1e6}') MB;" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
clear_run() { rm -f eventos/* buffer_eventos.pvx; }
bench_header
bench_row "events (6 h limit)" serie.txt clear_run "$build/bin/Fatia_Chuvadas" serie.txt eventos/evento 06:00:00 1.0 0.2 00:01:00
largest=$(ls -S eventos | sed -n 1p)
echo "  $(ls eventos | wc -l) events (largest $(($(wc -l < "eventos/$largest") - 1)) records)"
