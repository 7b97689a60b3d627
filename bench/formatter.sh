#!/usr/bin/env bash
# Times Ajusta_Leituras on a generated raw export of irregular readings (one
# every one to nine minutes) beside `cat` and `wc -l` of the same file:
#   bench/formatter.sh [build dir] [years] [build dir to compare with]
# Rows: conversion alone (the logger's tips copied), conversion and tip
# counting, and resampling to 00:05:00 and 00:01:00 before the tip counting.
# Given a second build (say, of the commit before a change), each row is run
# with it right before ours, and the two series must be the same bytes.
# Figures are the best of BENCH_RUNS runs (default 3); data goes to /tmp,
# never into the repo.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
years=${2:-10}
base=${3:+$(cd "$3" && pwd)}
source "$here/measure.sh"
work=${TMPDIR:-/tmp}/rain-bench-formatter
mkdir -p "$work"
cd "$work"
raw=raw_${years}anos.csv
[ -f "$raw" ] || "$build/bench/bench_gera_leituras" "$raw" "$years" > /dev/null
echo "raw export: $raw, $(wc -l < "$raw") lines, $(awk -v b="$(stat -c %s "$raw")" 'BEGIN {printf "%.1f", b / 1e6}') MB;" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"

clear_run() { rm -f serie.txt serie.txt.pvx serie.txt~ buffer_horas.dat buffer_datas.dat; }

runs=(
  "tips copied (conversion only)|nenhum intervalo ; s 00:05:00 0.2 2 3 1 2 3 4 DD/MM/YYYY"
  "tips derived|nenhum nenhum ; s 00:05:00 0.2 2 3 1 2 3 0 DD/MM/YYYY"
  "resampled to 00:05:00, tips derived|nenhum nenhum ; n 00:05:00 0.2 2 3 1 2 3 0 DD/MM/YYYY"
  "resampled to 00:01:00, tips derived|nenhum nenhum ; n 00:01:00 0.2 2 3 1 2 3 0 DD/MM/YYYY"
)
bench_header
for run in "${runs[@]}"; do
  label=${run%%|*}
  read -ra params <<< "${run#*|}"
  if [ -n "$base" ]; then
    bench_row "$label (compared)" "$raw" clear_run "$base/bin/Ajusta_Leituras" "$raw" serie.txt "${params[@]}"
    mv serie.txt serie_compared.txt
  fi
  bench_row "$label" "$raw" clear_run "$build/bin/Ajusta_Leituras" "$raw" serie.txt "${params[@]}"
  lines=$(($(wc -l < serie.txt) - 1))
  if [ -n "$base" ]; then
    cmp -s serie.txt serie_compared.txt && same="same bytes as compared" || same="DIFFERS FROM COMPARED"
    echo "  $lines records, $same"
    rm -f serie_compared.txt
  else
    echo "  $lines records"
  fi
done
clear_run
