#!/usr/bin/env bash
# Times Fatia_Chuvadas over a generated ten-year series of one record per
# minute, with a six-hour interruption limit:
#   bench/events_bench.sh [build dir] [work dir under /tmp]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/rain-bench-events}
mkdir -p "$work/eventos"
cd "$work"
rm -f eventos/* buffer_eventos.pvx
[ -f serie.txt ] || "$build/bench/bench_events_series" serie.txt 10
records=$(($(wc -l < serie.txt) - 1))
bytes=$(stat -c %s serie.txt)
/usr/bin/time -v "$build/bin/Fatia_Chuvadas" serie.txt eventos/evento 06:00:00 1.0 0.2 00:01:00 2> time.txt
seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' time.txt)
peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' time.txt)
events=$(ls eventos | wc -l)
largest=$(ls -S eventos | sed -n 1p)
awk -v r="$records" -v b="$bytes" -v s="$seconds" -v m="$peak_kb" -v e="$events" -v l="$(wc -l < "eventos/$largest")" 'BEGIN {
  if (s <= 0) s = 0.01
  printf "records %d, %.1f MB, %d events (largest %d records)\n", r, b / 1e6, e, l - 1
  printf "time %.2f s: %.2f M records/s, %.1f MB/s; peak memory %.1f MB\n", s, r / s / 1e6, b / s / 1e6, m / 1024
}'
