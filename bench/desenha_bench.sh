#!/usr/bin/env bash
# Times Desenha_Chuvadas over the generated ten-year series of one record per
# minute (the one events_bench.sh uses), with a six-hour interruption limit,
# and reports the page's size:
#   bench/desenha_bench.sh [build dir] [work dir under /tmp]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/rain-bench-events}
mkdir -p "$work"
cd "$work"
[ -f serie.txt ] || "$build/bench/bench_events_series" serie.txt 10
records=$(($(wc -l < serie.txt) - 1))
/usr/bin/time -v "$build/bin/Desenha_Chuvadas" serie.txt relatorio.html 06:00:00 1.0 0.2 00:01:00 2> time.txt
seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' time.txt)
peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' time.txt)
awk -v r="$records" -v s="$seconds" -v m="$peak_kb" -v b="$(stat -c %s relatorio.html)" 'BEGIN {
  if (s <= 0) s = 0.01
  printf "records %d: page written in %.2f s (%.2f M records/s over its three passes), peak memory %.1f MB\n", r, s, r / s / 1e6, m / 1024
  printf "page %.2f MB\n", b / 1e6
}'
