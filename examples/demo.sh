#!/usr/bin/env bash
# Runs the tool set on the shipped example: demo.sh <bin dir> <output dir>.
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
out=${2:-out}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
cd "$out"
echo "(the programs land here as they are built)"
