#!/usr/bin/env bash
# Times Rastreia_Picos on a generated 10-year 1-minute series (4 and 6
# columns) in MENSAL and TOTAL modes: bench/maxima.sh [build dir] [work dir]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=${2:-/tmp/maxima-bench}
mkdir -p "$work"
cd "$work"
for cols in 4 6; do
  serie="serie_${cols}col.txt"
  [ -f "$serie" ] || "$build/bench/bench_maxima_serie" "$serie" 10 "$cols"
  bytes=$(stat -c %s "$serie")
  records=$(($(wc -l < "$serie") - 1))
  for modo in mensal total; do
    /usr/bin/time -v -o time.txt "$build/bin/Rastreia_Picos" "$serie" "rel_${cols}_${modo}.txt" "$modo" \
      00:00:00 0 0 0 0.2 > /dev/null
    secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,t,":"); s=0; for(i=1;i<=n;i++) s=s*60+t[i]; print s}' time.txt)
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' time.txt)
    awk -v c="$cols" -v m="$modo" -v r="$records" -v b="$bytes" -v s="$secs" -v k="$rss" 'BEGIN {
      printf "%d columns %-7s %9d records %6.1f MB  %6.2f s  %6.2f M records/s  %6.1f MB/s  peak RSS %d kB\n",
             c, m, r, b/1e6, s, r/s/1e6, b/s/1e6, k }'
  done
done
