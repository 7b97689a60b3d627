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
# The tips are derived from the accumulated depth.
"$bin/Ajusta_Leituras" "$examples/pluviografo_marco_2025.csv" serie.txt \
  nenhum nenhum ";" s 00:10:00 0.2 2 3 1 2 3 0 DD/MM/YYYY
echo "Ajusta_Leituras: serie normalizada em $out/serie.txt ($(($(wc -l < serie.txt) - 1)) registros)"

# --- 2. Rastreia_Picos: maxima report ---

# --- 3. Fatia_Chuvadas: rain events ---

echo "Resultados em $out"
