#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times whole processes writing the same sweep as "0.00" CSV to a file, side
# by side: kerova-sweep with one thread and with every core, the bare C++
# program (bench/bare_sweep.cpp: the closed form, std::to_chars, one buffer,
# one write) and the numpy peer. The outputs are compared byte for byte first;
# then the contenders run in turn, RUNS rounds, and the medians of wall time
# and peak resident memory are printed with their ratios to the bare program.
#
#   bench/sweep_vs_numpy.sh BUILD_DIR [RUNS [N ...]]   (RUNS default 9; N × N points, default 1000 2000)
#
# Needs /usr/bin/python3 with numpy (Debian: python3-numpy), GNU time and bash 5.
set -euo pipefail
build=$(realpath "$1")
runs=${2:-9}
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 2000)
peer=${KEROVA_NUMPY_PEER:-$(dirname "$0")/../../shared/bench-peers/numpy_sweep.py}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export LC_ALL=C.UTF-8 KEROVA_ENGINE_CONFIG=$work/engine.ini
printf '[MODEL]\ndriver=sqlite\npath=%s\n' "$work/model.sqlite" >"$KEROVA_ENGINE_CONFIG"
"$build/tools/kerova-engine/kerova-engine" init >/dev/null
"$build/tools/kerova-engine/kerova-engine" demo >/dev/null

names=("bare C++, 1 thread" "kerova-sweep, 1 thread" "kerova-sweep, every core" "numpy peer")

# The command line of contender i for n × n points.
contender() {
  local sweep=("$build/tools/kerova-sweep/kerova-sweep" --x 0 --x-from 1 --x-to $(($2 + 1))
               --x-step 1 --x-level 2 --y 1 --y-from 10 --y-to $(($2 + 10)) --y-step 1 --y-level 1)
  case $1 in
    0) cmd=("$build/bench/bare_sweep" "$2" "$2") ;;
    1) cmd=("${sweep[@]}" --threads 1) ;;
    2) cmd=("${sweep[@]}") ;;
    3) cmd=(/usr/bin/python3 "$peer" "$work/model.sqlite" "$2" "$2") ;;
  esac
}

# One run: "seconds kibibytes"; the wall time to the microsecond, the peak from GNU time.
measure() {
  local start=$EPOCHREALTIME
  /usr/bin/time -f '%M' -o "$work/m" "$@" >"$work/out.csv"
  local end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.6f", b - a}') $(cat "$work/m")"
}

median() { sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

for n in "${sizes[@]}"; do
  for i in 0 1 2 3; do
    contender $i "$n"
    "${cmd[@]}" >"$work/$i.csv"
    cmp -s "$work/0.csv" "$work/$i.csv" || echo "OUTPUT OF ${names[$i]} DIFFERS FROM THE BARE PROGRAM'S"
    : >"$work/$i.txt"
  done
  for _ in $(seq "$runs"); do
    for i in 0 1 2 3; do
      contender $i "$n"
      measure "${cmd[@]}" >>"$work/$i.txt"
    done
  done
  echo "$n x $n, $(wc -c <"$work/0.csv") bytes, medians of $runs alternating runs, load $(cut -d' ' -f1-3 /proc/loadavg):"
  bare=$(cut -d' ' -f1 "$work/0.txt" | median)
  for i in 0 1 2 3; do
    t=$(cut -d' ' -f1 "$work/$i.txt" | median)
    m=$(cut -d' ' -f2 "$work/$i.txt" | median)
    awk -v name="${names[$i]}" -v t="$t" -v m="$m" -v b="$bare" 'BEGIN {
      printf "  %-26s %8.1f ms %7.1f MiB   %5.2f x bare\n", name, t * 1000, m / 1024, t / b }'
  done
done
