#!/usr/bin/env bash
# Times Resume_Chuvadas against Fatia_Chuvadas over the same generated ten-year
# series of one record per minute, with a six-hour interruption limit; the
# tables should take at most 1.5 times the processor time of the event files,
# with a dry limit or without, and with every option:
#   bench/resume_bench.sh [build dir] [work dir under /tmp]
# Figures are the best of BENCH_RUNS runs (default 3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/rain-bench-resume}
source "$here/measure.sh"
mkdir -p "$work"
cd "$work"
[ -f serie.txt ] || "$build/bench/bench_events_series" serie.txt 10
records=$(($(wc -l < serie.txt) - 1))
# A hundred outages of 30 hours, one every 36 days from the series' start.
{
  printf 'inicio,fim\r\n'
  for ((k = 0; k < 100; k++)); do
    printf '%s,%s\r\n' "$(date -u -d "2015-01-04 +$((k * 36)) days" +%Y-%m-%dT00:00:00)" \
      "$(date -u -d "2015-01-04 +$((k * 36 + 1)) days" +%Y-%m-%dT06:00:00)"
  done
} > falhas.csv

clear_events() { rm -rf eventos buffer_eventos.pvx && mkdir eventos; }
read -r _ fatia fatia_kb < <(bench_best clear_events "$build/bin/Fatia_Chuvadas" serie.txt eventos/evento 06:00:00 1.0 0.2 00:01:00)
row() {
  local label=$1
  shift
  local cpu kb
  read -r _ cpu kb < <(bench_best : "$build/bin/Resume_Chuvadas" "$@")
  awk -v l="$label" -v c="$cpu" -v k="$kb" -v f="$fatia" 'BEGIN {
    printf "%-52s %6.2f s cpu, peak %6.1f MB (%.2f x Fatia_Chuvadas)\n", l, c, k / 1024, c / (f > 0 ? f : 0.01)
  }'
}
echo "records $records"
awk -v f="$fatia" -v k="$fatia_kb" -v e="$(ls eventos | wc -l)" \
  'BEGIN {printf "%-52s %6.2f s cpu, peak %6.1f MB, %d event files\n", "Fatia_Chuvadas", f, k / 1024, e}'
row "Resume_Chuvadas limit 0" serie.txt eventos.csv maximas.csv 06:00:00 1.0 0.2 00:01:00 0
row "Resume_Chuvadas limit 1.27" serie.txt eventos.csv maximas.csv 06:00:00 1.0 0.2 00:01:00 1.27
row "Resume_Chuvadas limit 1.27, --falhas, --erosividade" --falhas falhas.csv --erosividade erosividade.csv \
  serie.txt eventos.csv maximas.csv 06:00:00 1.0 0.2 00:01:00 1.27
