#!/usr/bin/env bash
# The wall time of whole gishost sessions that open the sample network with its files current:
# with no rows, and with 300 closed roads and 300 temporary speeds in "Corvane.ini", spread
# evenly over the layer (every listed link gets its marker). For one build or two side by side,
# in paired rounds: each round runs every session of every build once, in turn.
#
#   bench/opening_sessions/run.sh BUILD [BUILD_BEFORE] [ROUNDS] [CORES]
#
# BUILD is a build folder with bench on: its bench_network_opening makes the two folders (the
# network built, the rows written) under BUILD/bench-data/opening, and both builds open those.
# Prints the median of ROUNDS (default 9) runs of each session, in milliseconds, and the
# opening with the rows over the opening without. CORES (default 4-7) pins every run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
builds=("$(cd "$1" && pwd)")
[ $# -ge 2 ] && [ -n "$2" ] && builds+=("$(cd "$2" && pwd)")
rounds=${3:-9}
cores=${4:-4-7}
data="${builds[0]}/bench-data/opening"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

CORVANE_BENCH_KEEP_DATA=1 "${builds[0]}/bin/bench_network_opening" \
  --benchmark_filter='BM_OpenNetwork/columns:1/rows:1/listed:(0|300)/' >/dev/null 2>&1
for listed in 0 300; do
  [ -f "$data/1x1-$listed/Corvane.ini" ] || { echo "no folder $data/1x1-$listed" >&2; exit 1; }
done

# Each build registers its own modules in a registry of its own: in the user's, another
# program's registration between two sessions would have one build load the other's add-in.
session_ms() { # build listed
  local start end registry
  registry="$scratch/registry-$(echo "$1" | md5sum | cut -c1-8)"
  start=$(date +%s%N)
  (cd "$data/1x1-$2" && CORVANE_REGISTRY=$registry nice taskset -c "$cores" "$1/bin/gishost" \
    "$here/open.session" >"$scratch/transcript" 2>&1) || { cat "$scratch/transcript" >&2; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((round = 0; round < rounds; ++round)); do
  for b in "${!builds[@]}"; do
    for listed in 0 300; do
      session_ms "${builds[$b]}" "$listed" >>"$scratch/$b-$listed"
    done
  done
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '| build | no rows (ms) | 300 + 300 rows (ms) | rows / no rows |\n|---|---|---|---|\n'
for b in "${!builds[@]}"; do
  build=${builds[$b]}
  # The commit where the build folder sits in a checkout's root, else the folder.
  label=$build
  root=$(cd "$build/.." && pwd)
  [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ] &&
    label=$(git -C "$root" rev-parse --short HEAD)
  none=$(median <"$scratch/$b-0") rows=$(median <"$scratch/$b-300")
  awk -v l="$label" -v n="$none" -v r="$rows" 'BEGIN {printf "| %s | %d | %d | %.2f |\n", l, n, r, r / n}'
done
rm -rf "$data"
