#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times whole processes of kerova-sweep and of the numpy peer on the same
# sweep, alternately, and prints the medians of wall time and peak resident
# memory and their ratios. Both write the grid as "0.00" CSV to a file; the
# two files are compared byte for byte first.
#
#   bench/sweep_vs_numpy.sh BUILD_DIR [N] [RUNS]   (N × N points, default 1000; RUNS default 11)
#
# Needs /usr/bin/python3 with numpy (Debian: python3-numpy) and GNU time.
set -euo pipefail
build=$(realpath "$1")
n=${2:-1000}
runs=${3:-11}
peer=${KEROVA_NUMPY_PEER:-$(dirname "$0")/../../shared/bench-peers/numpy_sweep.py}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export LC_ALL=C.UTF-8 KEROVA_ENGINE_CONFIG=$work/engine.ini
printf '[MODEL]\ndriver=sqlite\npath=%s\n' "$work/model.sqlite" >"$KEROVA_ENGINE_CONFIG"
"$build/tools/kerova-engine/kerova-engine" init >/dev/null
"$build/tools/kerova-engine/kerova-engine" demo >/dev/null

kerova=("$build/tools/kerova-sweep/kerova-sweep" --x 0 --x-from 1 --x-to $((n + 1)) --x-step 1
        --x-level 2 --y 1 --y-from 10 --y-to $((n + 10)) --y-step 1 --y-level 1)
numpy=(/usr/bin/python3 "$peer" "$work/model.sqlite" "$n" "$n")

"${kerova[@]}" >"$work/k.csv"
"${numpy[@]}" >"$work/n.csv"
cmp -s "$work/k.csv" "$work/n.csv" && echo "outputs identical ($(wc -c <"$work/k.csv") bytes)" \
  || echo "OUTPUTS DIFFER"

# One run: "seconds kibibytes" of the whole process.
measure() {
  /usr/bin/time -f '%e %M' -o "$work/t" "$@" >"$work/out.csv"
  cat "$work/t"
}
: >"$work/k.txt"; : >"$work/n.txt"
for _ in $(seq "$runs"); do
  measure "${kerova[@]}" >>"$work/k.txt"
  measure "${numpy[@]}" >>"$work/n.txt"
done

median() { sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
kt=$(cut -d' ' -f1 "$work/k.txt" | median); km=$(cut -d' ' -f2 "$work/k.txt" | median)
nt=$(cut -d' ' -f1 "$work/n.txt" | median); nm=$(cut -d' ' -f2 "$work/n.txt" | median)
awk -v n="$n" -v r="$runs" -v kt="$kt" -v km="$km" -v nt="$nt" -v nm="$nm" 'BEGIN {
  printf "%d x %d, medians of %d alternating runs\n", n, n, r
  printf "kerova-sweep: %.3f s, %.1f MiB peak\n", kt, km / 1024
  printf "numpy peer:   %.3f s, %.1f MiB peak\n", nt, nm / 1024
  printf "ratio kerova/numpy: time %.2f, memory %.2f\n", kt / nt, km / nm
}'
