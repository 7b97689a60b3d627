#!/usr/bin/env bash
# Times the Windows executables under Wine against the Linux ones on generated
# ten-year inputs, and checks that both write the same bytes:
#   bench/windows_wine.sh [linux build dir] [windows build dir]
# Wine's own start (a few tenths of a second) is part of every Windows time.
# Data goes to /tmp, never into the repo.
set -euo pipefail
linux=$(cd "${1:-build}" && pwd)
windows=$(cd "${2:-build-windows}" && pwd)
work=${TMPDIR:-/tmp}/rain-bench-windows
mkdir -p "$work"
cd "$work"
export WINEPREFIX="$windows/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
"$(dirname "$wine")/wineserver" -p || true
trap '"$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT

[ -f raw.csv ] || "$linux/bench/bench_gera_leituras" raw.csv 10 >/dev/null
[ -f serie_maxima.txt ] || "$linux/bench/bench_maxima_serie" serie_maxima.txt 10 4 >/dev/null
[ -f serie_eventos.txt ] || "$linux/bench/bench_events_series" serie_eventos.txt 10 >/dev/null

# run <label> <input> <program> <args...>: both builds in folders of their own.
run() {
  local label=$1 input=$2 program=$3
  shift 3
  local mb
  mb=$(stat -c %s "$input" | awk '{printf "%.1f", $1 / 1e6}')
  for side in linux windows; do
    rm -rf "$side" && mkdir -p "$side/eventos"
    if [ "$side" = linux ]; then
      (cd "$side" && /usr/bin/time -f "%e %M" -o ../time.txt "$linux/bin/$program" "$@" >/dev/null)
    else
      (cd "$side" && /usr/bin/time -f "%e %M" -o ../time.txt "$wine" "$windows/bin/$program.exe" "$@" >/dev/null 2>&1)
    fi
    read -r secs kb < time.txt
    awk -v l="$label" -v s="$side" -v mb="$mb" -v t="$secs" -v k="$kb" \
      'BEGIN {printf "%-28s %-7s %6.1f MB  %5.2f s  %6.1f MB/s  peak RSS %d kB\n", l, s, mb, t, mb / (t > 0 ? t : 0.01), k}'
  done
  diff -r linux windows >/dev/null || { echo "$label: the builds wrote different files" >&2; exit 1; }
}

run "formatter, tips derived" raw.csv Ajusta_Leituras ../raw.csv serie.txt nenhum nenhum ";" s 00:05:00 0.2 2 3 1 2 3 0 DD/MM/YYYY
run "formatter, resampled 15 min" raw.csv Ajusta_Leituras ../raw.csv serie.txt nenhum nenhum ";" n 00:15:00 0.2 2 3 1 2 3 0 DD/MM/YYYY
run "maxima, mensal" serie_maxima.txt Rastreia_Picos ../serie_maxima.txt relatorio.txt mensal 00:00:00 0 0 0 0.2
run "events, 6 h limit" serie_eventos.txt Fatia_Chuvadas ../serie_eventos.txt eventos/evento 06:00:00 1.0 0.2 00:01:00
echo "same files from both builds"
