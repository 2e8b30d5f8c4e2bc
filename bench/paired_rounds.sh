#!/usr/bin/env bash
# Paired runs of one benchmark in two builds, A, B, A, B ..., each run a process of its own
# pinned to the same cores, so that both builds meet the same load in the same minutes. Prints,
# per build, the median wall time of an iteration (the benchmark's real time, in its unit), the
# median CPU time of the whole process (user and system, all threads, set-up included: the same
# in both, so a difference is the benchmark's; comparable only where the benchmark fixes its
# count of iterations, as the many-zone ones do) and the median peak resident memory of the
# process, then B / A of each; and the load before and after.
#
#   bench/paired_rounds.sh ROUNDS CORES FILTER PROGRAM_A PROGRAM_B [benchmark options]
#
# e.g. bench/paired_rounds.sh 7 4-7 'FiveZonesOf1To5KmOnTheSample/written:1$' \
#        /tmp/prev/build-bench/bin/bench_zones build-bench/bin/bench_zones
# Both programs must write their outputs to folders of their own (their own build folders), and
# no other run of either may go on meanwhile.
set -euo pipefail
rounds=$1 cores=$2 filter=$3 a=$4 b=$5
shift 5
extra=("$@")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

run() { # program, file of results
  local out
  out=$(/usr/bin/time -f "peak %M %U %S" -o "$scratch/time" nice taskset -c "$cores" "$1" \
    --benchmark_filter="$filter" --benchmark_format=csv "${extra[@]}" 2>/dev/null | grep '^"' | tail -n 1)
  echo "$(echo "$out" | cut -d, -f3) $(awk '/^peak/ {print $2, $3 + $4}' "$scratch/time")" >>"$2"
}
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((k = 0; k < rounds; ++k)); do
  run "$a" "$scratch/a"
  run "$b" "$scratch/b"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
ta=$(cut -d' ' -f1 "$scratch/a" | median) tb=$(cut -d' ' -f1 "$scratch/b" | median)
ma=$(cut -d' ' -f2 "$scratch/a" | median) mb=$(cut -d' ' -f2 "$scratch/b" | median)
ca=$(cut -d' ' -f3 "$scratch/a" | median) cb=$(cut -d' ' -f3 "$scratch/b" | median)
echo "A: $(cut -d' ' -f1 "$scratch/a" | tr '\n' ' ')"
echo "B: $(cut -d' ' -f1 "$scratch/b" | tr '\n' ' ')"
awk -v ta="$ta" -v tb="$tb" -v ma="$ma" -v mb="$mb" -v ca="$ca" -v cb="$cb" -v f="$filter" 'BEGIN {
  printf "%s: A %.3g (process CPU %.2f s, peak %.1f MB), B %.3g (process CPU %.2f s, peak %.1f MB), time B/A %.2f, CPU B/A %.2f, peak B/A %.2f\n",
         f, ta, ca, ma / 1024, tb, cb, mb / 1024, tb / ta, cb / ca, mb / ma }'
