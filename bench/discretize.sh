#!/usr/bin/env bash
# Resampling benchmark: a 10-year irregular export through Ajusta_Leituras,
# kept as read ("s") and resampled to 00:01:00 and 00:15:00 ("n").
# Usage: bench/discretize.sh [build dir] [work dir]   (work dir under /tmp)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/rain-bench-discretize}
mkdir -p "$work"
cd "$work"
[ -f raw.txt ] || "$build/bench/bench_irregular_export" raw.txt 10
size=$(stat -c %s raw.txt)
echo "export: $(wc -l < raw.txt) readings, $((size / 1000000)) MB"

run() {
  local label=$1 discretized=$2 interval=$3
  rm -f serie.txt serie.txt.pvx buffer_horas.dat buffer_datas.dat
  /usr/bin/time -v "$build/bin/Ajusta_Leituras" raw.txt serie.txt nenhum nenhum ";" "$discretized" "$interval" \
    0.2 0 1 1 2 3 0 DD/MM/YY 2> time.txt
  local seconds rss records
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' time.txt)
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' time.txt)
  records=$(($(wc -l < serie.txt) - 1))
  echo "$label: $records records written, wall $seconds, peak RSS ${rss} kB," \
    "$(awk -v s="$size" -v t="$seconds" 'BEGIN { n = split(t, p, ":"); sec = (n == 2) ? p[1] * 60 + p[2] : p[1] * 3600 + p[2] * 60 + p[3]; printf "%.1f MB/s of export", s / 1e6 / sec }')"
}

run "as read (s)        " s 00:01:00
run "resampled 00:15:00 " n 00:15:00
run "resampled 00:01:00 " n 00:01:00
