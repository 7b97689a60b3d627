# Timing helpers shared by the benchmark scripts (sourced, not run).
#
# Every figure is the best of BENCH_RUNS runs (default 3): the machine may be
# shared, and the fastest run is the one least disturbed. Wall time comes from
# the shell's clock; processor time (user + system, steadier under load) and
# peak memory from /usr/bin/time when it is there, else processor time from
# the shell's `times` and no memory figure.

BENCH_RUNS=${BENCH_RUNS:-3}
bench_scratch=$(mktemp -d "${TMPDIR:-/tmp}/rain-measure.XXXXXX")
trap 'rm -rf "$bench_scratch"' EXIT

# bench_once <command...>: "wall cpu peak_kb" of one run; its output goes to
# /dev/null. A failing command stops the script.
bench_once() {
  local start end
  if [ -x /usr/bin/time ]; then
    start=$EPOCHREALTIME
    /usr/bin/time -f '%U %S %M' -o "$bench_scratch/time" "$@" > /dev/null 2> "$bench_scratch/err" ||
      { echo "failed: $* ($(head -c 300 "$bench_scratch/err"))" >&2; return 1; }
    end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" '{printf "%.4f %.2f %d\n", e - s, $1 + $2, $3}' "$bench_scratch/time"
  else
    local before after
    before=$(bench_children_cpu)
    start=$EPOCHREALTIME
    "$@" > /dev/null 2> "$bench_scratch/err" || { echo "failed: $*" >&2; return 1; }
    end=$EPOCHREALTIME
    after=$(bench_children_cpu)
    awk -v s="$start" -v e="$end" -v b="$before" -v a="$after" 'BEGIN {printf "%.4f %.2f 0\n", e - s, a - b}'
  fi
}

# Processor seconds of the shell's finished children so far, from `times`.
bench_children_cpu() {
  times | awk 'NR == 2 {n = 0; for (i = 1; i <= 2; i++) {split($i, p, "m"); sub("s", "", p[2]); n += p[1] * 60 + p[2]} print n}'
}

# bench_best <setup> <command...>: the best wall and processor time and the
# largest peak memory of BENCH_RUNS runs, as "wall cpu peak_kb". <setup> is a
# command run before each run (":" for none), to clear what a run leaves.
bench_best() {
  local setup=$1
  shift
  local i
  for ((i = 0; i < BENCH_RUNS; i++)); do
    $setup
    bench_once "$@" || return 1
  done | awk 'NR == 1 || $1 < w {w = $1} NR == 1 || $2 < c {c = $2} $3 > m {m = $3}
              END {printf "%.4f %.2f %d\n", w, c, m}'
}

# bench_baseline <file>: sets cat_s and wc_s, the best wall times of `cat` and
# `wc -l` reading <file>, the yardsticks for a program that reads it.
bench_baseline() {
  read -r cat_s _ _ < <(bench_best : cat "$1")
  read -r wc_s _ _ < <(bench_best : wc -l "$1")
}

bench_header() {
  printf '%-36s %8s %7s %8s %8s %7s %7s %8s\n' "" "wall s" "cpu s" "cat s" "wc -l s" "x cat" "x wc" "peak MB"
}

# bench_row <label> <input file> <setup> <command...>: one line of figures for
# a program that reads <input file>, beside cat and wc -l of that file.
bench_row() {
  local label=$1 input=$2 setup=$3
  shift 3
  local wall cpu peak
  bench_baseline "$input"
  read -r wall cpu peak < <(bench_best "$setup" "$@") || return 1
  awk -v l="$label" -v w="$wall" -v c="$cpu" -v k="$cat_s" -v n="$wc_s" -v m="$peak" 'BEGIN {
    peak = m > 0 ? sprintf("%8.1f", m / 1024) : "     n/a"
    printf "%-36s %8.3f %7.2f %8.3f %8.3f %7.1f %7.1f %s\n", l, w, c, k, n, w / (k > 0 ? k : 0.001),
           w / (n > 0 ? n : 0.001), peak
  }'
}
