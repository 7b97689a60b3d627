#!/usr/bin/env bash
# Times Resume_Chuvadas against Fatia_Chuvadas over the same generated ten-year
# series of one record per minute, with a six-hour interruption limit; the
# tables should take at most twice the time of the event files:
#   bench/resume_bench.sh [build dir] [work dir under /tmp]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/rain-bench-resume}
mkdir -p "$work"
cd "$work"
[ -f serie.txt ] || "$build/bench/bench_events_series" serie.txt 10
records=$(($(wc -l < serie.txt) - 1))

# Processor seconds (user + system, steadier than the wall clock on a shared
# machine) and peak memory (MB) of one run, from /usr/bin/time -v.
measure() {
  /usr/bin/time -v "$@" 2> time.txt > /dev/null
  awk -F': ' '/User time|System time/ {s += $2} /Maximum resident set size/ {m = $2 / 1024}
              END {printf "%.2f %.1f\n", s, m}' time.txt
}

rm -rf eventos buffer_eventos.pvx && mkdir eventos
read -r fatia fatia_mb < <(measure "$build/bin/Fatia_Chuvadas" serie.txt eventos/evento 06:00:00 1.0 0.2 00:01:00)
read -r zero zero_mb < <(measure "$build/bin/Resume_Chuvadas" serie.txt eventos.csv maximas.csv 06:00:00 1.0 0.2 00:01:00 0)
read -r erosiva erosiva_mb < <(measure "$build/bin/Resume_Chuvadas" serie.txt eventos_127.csv maximas_127.csv 06:00:00 1.0 0.2 00:01:00 1.27)
awk -v r="$records" -v f="$fatia" -v fm="$fatia_mb" -v z="$zero" -v zm="$zero_mb" -v e="$erosiva" -v em="$erosiva_mb" \
    -v fe="$(ls eventos | wc -l)" -v ze="$(($(wc -l < eventos.csv) - 1))" 'BEGIN {
  if (f <= 0) f = 0.01
  printf "records %d\n", r
  printf "Fatia_Chuvadas             %6.2f s cpu, peak %6.1f MB, %d event files\n", f, fm, fe
  printf "Resume_Chuvadas limit 0    %6.2f s cpu, peak %6.1f MB, %d event rows (%.2f x Fatia_Chuvadas)\n", z, zm, ze, z / f
  printf "Resume_Chuvadas limit 1.27 %6.2f s cpu, peak %6.1f MB (%.2f x Fatia_Chuvadas)\n", e, em, e / f
}'
