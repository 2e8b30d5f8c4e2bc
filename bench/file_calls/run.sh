#!/usr/bin/env bash
# The time and the file-system calls of whole sessions of gishost on the sample network (and the
# dead-end check on the tiled 8x7 network), for one build or for two side by side:
#
#   bench/file_calls/run.sh BUILD [BUILD_BEFORE] [RUNS]
#
# BUILD is a build folder with bench on (its bench_checks makes the tiled network's shapefile
# under BUILD/bench-data/roads-8x7 when it is missing).
# Each session runs in a fresh copy of the network's folder. The calls are counted by
# `strace -f -c` (unlink and unlinkat; stat, lstat, newfstatat and statx; open and openat;
# getdents64; fsync and fdatasync) and given for the session less the session that only opens the network
# ("open.session"), so they are the tool's own. The time is the median wall time of RUNS runs
# (default 5) without strace, with the opening's median taken off the same way.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
builds=("$(cd "$1" && pwd)")
[ $# -ge 2 ] && [ -n "$2" ] && builds+=("$(cd "$2" && pwd)")
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A folder with the roads (and the session's other data) for one run.
fresh() {
  local source=$1 into=$2
  rm -rf "$into"
  mkdir -p "$into"
  cp "$source"/roads.* "$into"/
  [ -f "$into/roads.prj" ] || cp "$root/data/sample/gothenburg/roads.prj" "$into/"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

wall_ms() { # build session data
  local folder="$work/run"
  local times=()
  for _ in $(seq "$runs"); do
    fresh "$3" "$folder"
    local start end
    start=$(date +%s%N)
    (cd "$folder" && "$1/bin/gishost" "$here/$2" >/dev/null 2>&1)
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | median
}

calls() { # build session data -> "unlink stat open getdents fsync"
  local folder="$work/run"
  fresh "$3" "$folder"
  (cd "$folder" && strace -f -c -o "$work/strace.txt" \
    -e trace=unlink,unlinkat,stat,lstat,newfstatat,statx,open,openat,getdents64,fsync,fdatasync \
    "$1/bin/gishost" "$here/$2" >/dev/null 2>&1)
  awk '
    $4 ~ /^[0-9]+$/ { name = $NF; n = $4 }
    $4 !~ /^[0-9]+$/ { next }
    name ~ /^(unlink|unlinkat)$/ {un += n}
    name ~ /^(stat|lstat|newfstatat|statx)$/ {st += n}
    name ~ /^(open|openat)$/ {op += n}
    name == "getdents64" {gd += n}
    name ~ /^(fsync|fdatasync)$/ {fs += n}
    END {print un + 0, st + 0, op + 0, gd + 0, fs + 0}' "$work/strace.txt"
}

sample="$root/data/sample/gothenburg"
printf '| build | session | network | time (ms) | unlink | stat | open | getdents | fsync |\n'
printf '|---|---|---|---|---|---|---|---|---|\n'
# The tiled network's shapefile, made by the first build's benchmarks, serves every build.
tiled="${builds[0]}/bench-data/roads-8x7"
if [ ! -f "$tiled/roads.shp" ] && [ -x "${builds[0]}/bin/bench_checks" ]; then
  "${builds[0]}/bin/bench_checks" --benchmark_filter='BM_DeadEnds/8/7/0' >/dev/null 2>&1 || true
fi
for build in "${builds[@]}"; do
  label=$(git -C "$(cd "$build/.." && pwd)" rev-parse --short HEAD 2>/dev/null || echo "$build")
  networks=(sample)
  # The tiled network for the first build only: the release before the scratch-name outputs
  # reopens the output for every record and ran for over nine minutes there.
  [ "$build" = "${builds[0]}" ] && [ -f "$tiled/roads.shp" ] && networks+=(tiled)
  for network in "${networks[@]}"; do
    data=$sample
    [ "$network" = tiled ] && data=$tiled
    sessions=(dead_ends.session)
    [ "$network" = sample ] && sessions+=(iso_poly.session iso_poly_20.session closure.session tsp.session)
    base_time=$(wall_ms "$build" open.session "$data")
    read -r bu bs bo bg bf < <(calls "$build" open.session "$data")
    for session in "${sessions[@]}"; do
      t=$(wall_ms "$build" "$session" "$data")
      read -r u s o g f < <(calls "$build" "$session" "$data")
      printf '| %s | %s | %s | %d | %d | %d | %d | %d | %d |\n' "$label" "${session%.session}" \
        "$network" $((t - base_time)) $((u - bu)) $((s - bs)) $((o - bo)) $((g - bg)) $((f - bf))
    done
  done
done
