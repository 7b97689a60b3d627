#!/usr/bin/env bash
# Runs the tool set on the shipped example: demo.sh <bin dir> <output dir>.
# Each program reads what the one before it wrote.
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
examples=$(cd "$(dirname "$0")" && pwd)
mkdir -p "${2:-out}"
out=$(cd "${2:-out}" && pwd)
cd "$out"

# --- 1. Ajusta_Leituras: raw logger export -> normalized series ---
# The example export: a title line, the header on line 2, data from line 3;
# date, time and rain per reading in fields 1, 2 and 3; bucket of 0.2 mm.
# The irregular readings are resampled onto a five-minute step, then the tips
# of each step are derived from the accumulated depth.
"$bin/Ajusta_Leituras" "$examples/pluviografo_marco_2025.csv" serie.txt \
  nenhum nenhum ";" n 00:05:00 0.2 2 3 1 2 3 0 DD/MM/YYYY

# --- 2. Rastreia_Picos: maxima report ---
# The largest single-record rainfall of every month (months start on day 01 at
# midnight) and of the whole record, 0.2 mm per tip.
"$bin/Rastreia_Picos" serie.txt relatorio_mensal.txt mensal 00:00:00 0 0 0 0.2
"$bin/Rastreia_Picos" serie.txt relatorio_total.txt total 0 0 0 0 0.2

# --- 3. Fatia_Chuvadas: rain events ---
# One file per event of more than 1 mm, an event ending after 6 dry hours. The
# step and the millimetres per tip must be those of the series from step 1.
intervalo_eventos=00:05:00
precisao_eventos=0.2
# A run never replaces an event file, so a new run starts from an empty folder.
rm -rf eventos
mkdir eventos
"$bin/Fatia_Chuvadas" serie.txt eventos/evento 06:00:00 1.0 "$precisao_eventos" "$intervalo_eventos"
echo "Eventos de chuva em $out/eventos:"
ls eventos

# --- 4. Resume_Chuvadas: storm table and annual maxima ---
# The same events with their peak intensities and erosivity, and the largest
# depth of every year per duration; a dry limit of 0 keeps Fatia_Chuvadas' events.
"$bin/Resume_Chuvadas" serie.txt eventos.csv maximas.csv 06:00:00 1.0 "$precisao_eventos" "$intervalo_eventos" 0
echo "Tabelas em $out: eventos.csv ($(($(wc -l < eventos.csv) - 1)) eventos), maximas.csv"

# --- 5. Desenha_Chuvadas: the report page ---
# The same event parameters; one HTML page to open in any browser: the mass
# curve, the monthly totals, the annual maxima, the events and their hyetographs.
"$bin/Desenha_Chuvadas" serie.txt relatorio.html 06:00:00 1.0 "$precisao_eventos" "$intervalo_eventos"
echo "Pagina com os graficos: $out/relatorio.html"

echo "Resultados em $out"
