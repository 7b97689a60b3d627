#!/usr/bin/env bash
# Times Rastreia_Picos on a generated 10-year 1-minute series (4 and 6
# columns) in MENSAL and TOTAL modes, beside `cat` and `wc -l` of the series:
#   bench/maxima.sh [build dir] [work dir]
# Figures are the best of BENCH_RUNS runs (default 3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/maxima-bench}
source "$here/measure.sh"
mkdir -p "$work"
cd "$work"
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
clear_run() { rm -f buffer_pesquisa.pvx; }
bench_header
for cols in 4 6; do
  serie="serie_${cols}col.txt"
  [ -f "$serie" ] || "$build/bench/bench_maxima_serie" "$serie" 10 "$cols"
  for modo in mensal total; do
    bench_row "$cols columns $modo ($(($(wc -l < "$serie") - 1)) records)" "$serie" clear_run \
      "$build/bin/Rastreia_Picos" "$serie" "rel_${cols}_${modo}.txt" "$modo" 00:00:00 0 0 0 0.2
  done
done
