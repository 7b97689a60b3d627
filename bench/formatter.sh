#!/usr/bin/env bash
# Times Ajusta_Leituras on a generated ten-year raw export:
#   bench/formatter.sh [build dir] [years]
# Reports throughput (MB of raw export per second) and peak memory for a run
# that derives the tips (conversion plus tip counting), for one that copies
# the logger's tips (conversion only), and for runs that resample the irregular
# readings to 00:15:00 and 00:01:00 before counting the tips of each step.
# Data goes to /tmp, never into the repo.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
years=${2:-10}
work=${TMPDIR:-/tmp}/rain-bench-formatter
mkdir -p "$work"
cd "$work"
raw=raw_${years}anos.csv
[ -f "$raw" ] || "$build/bench/bench_gera_leituras" "$raw" "$years"
bytes=$(stat -c %s "$raw")
echo "raw export: $raw, $(wc -l < "$raw") lines, $((bytes / 1000000)) MB"

run() {
  local label=$1
  shift
  rm -f serie.txt serie.txt.pvx buffer_horas.dat buffer_datas.dat
  /usr/bin/time -v "$build/bin/Ajusta_Leituras" "$raw" serie.txt "$@" 2> time.txt
  local secs rss
  secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' time.txt)
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' time.txt)
  awk -v label="$label" -v b="$bytes" -v s="$secs" -v r="$rss" \
    'BEGIN {printf "%-34s %6.2f s  %7.1f MB/s  peak RSS %d kB", label, s, b / 1e6 / (s > 0 ? s : 0.01), r}'
  echo "  ($(($(wc -l < serie.txt) - 1)) records)"
}

run "tips derived (convert + count)" nenhum nenhum ";" s 00:05:00 0.2 2 3 1 2 3 0 DD/MM/YYYY
run "tips copied (convert only)" nenhum intervalo ";" s 00:05:00 0.2 2 3 1 2 3 4 DD/MM/YYYY
run "resampled to 00:15:00 + count" nenhum nenhum ";" n 00:15:00 0.2 2 3 1 2 3 0 DD/MM/YYYY
run "resampled to 00:01:00 + count" nenhum nenhum ";" n 00:01:00 0.2 2 3 1 2 3 0 DD/MM/YYYY
