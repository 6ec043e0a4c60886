#!/usr/bin/env bash
# The two worst cases of about 2,000,000 lines (240 MB): (a) no section present, (b) all four
# sections after 1,990,000 lines of other output. Runs the program on each (report name from a file,
# no terminal) and, alternating with it, GNU grep -c -F for each of the four markers; prints the
# median times, the ratio program / sum of the four greps, and the program's peak resident memory.
#   bench/run.sh [runs] [lines]        (defaults: 5 runs, 2000000 lines)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
lines=${2:-2000000}
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
root=$PWD
measure=$root/build/bench/bench/measure
program=$root/build/bench/modalyx
scratch=$(mktemp -d "${TMPDIR:-/tmp}/modalyx-bench-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
markers=("R E A L   E I G E N V A L U E S" "P A R T" "E F F E C T I V E" "CENTER OF MASS")
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf "%-6s %10s %10s %12s %8s %10s\n" case lines program "4 greps" ratio "peak KiB"
for kind in none all; do
  "$root/bench/make_report.sh" "$lines" "$kind" >"$scratch/$kind.out"
  echo "$kind.out" >"$scratch/name.$kind"
  : >"$scratch/program.$kind"
  : >"$scratch/greps.$kind"
  : >"$scratch/rss.$kind"
  for ((run = 0; run < runs; run++)); do
    read -r seconds rss < <(cd "$scratch" && "$measure" "name.$kind" "$program")
    echo "$seconds" >>"$scratch/program.$kind"
    echo "$rss" >>"$scratch/rss.$kind"
    total=0
    for marker in "${markers[@]}"; do
      read -r seconds _ < <("$measure" - grep -c -F "$marker" "$scratch/$kind.out")
      total=$(awk -v a="$total" -v b="$seconds" 'BEGIN { print a + b }')
    done
    echo "$total" >>"$scratch/greps.$kind"
  done
  p=$(median <"$scratch/program.$kind")
  g=$(median <"$scratch/greps.$kind")
  peak=$(sort -n "$scratch/rss.$kind" | tail -1)
  printf "%-6s %10s %9.3fs %11.3fs %8.2f %10s\n" "$kind" "$lines" "$p" "$g" "$(awk -v p="$p" -v g="$g" 'BEGIN { print p / g }')" "$peak"
  rm -f "$scratch/$kind.out"
done
