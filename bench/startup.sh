#!/usr/bin/env bash
# Start-up benchmark: under a fresh Xvfb with openbox and trayer, starts Quib with 1, 100 and
# 1024 stored notes and reports the wall time until every note window is mapped, the resident
# memory then and the CPU time used; and the same for the floor program (quib_floor), a bare Qt
# program that opens as many tool windows with a text area each.
# Usage: bench/startup.sh <build-dir> [counts...]
# Each run is bounded by RUN_TIMEOUT seconds (120); a run that does not get there is marked.
set -euo pipefail

build=$(readlink -f "${1:?usage: startup.sh <build-dir> [counts...]}")
shift
[ $# -gt 0 ] && counts=("$@") || counts=(1 100 1024)
timeout_s=${RUN_TIMEOUT:-120}
for tool in Xvfb openbox trayer xdotool xprop xdpyinfo bc; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool is not installed" >&2; exit 2; }
done
[ -x "$build/quib_floor" ] || { echo "startup.sh: no $build/quib_floor" >&2; exit 2; }

work=$(mktemp -d /tmp/quib-bench-XXXXXX)
me=startup.sh
# shellcheck source=bench/display.sh
. "$(dirname "$0")/display.sh"
cleanup() {
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT

# measure <n> <dir> <command...>: runs the command in dir and prints
# "seconds rss_kb cpu_seconds status" with status ok, timeout or died.
measure() {
  local n=$1 dir=$2; shift 2
  local start; start=$(date +%s.%N)
  (cd "$dir" && exec "$@") >"$work/run.log" 2>&1 &
  local pid=$!
  local status=ok end=$((SECONDS + timeout_s))
  until [ "$(mapped_windows "$pid" | wc -l)" -ge "$n" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then status=died; break; fi
    if [ $SECONDS -ge $end ]; then status=timeout; break; fi
    sleep 0.05
  done
  local stop; stop=$(date +%s.%N)
  local rss=0 ticks=0
  if [ "$status" != died ]; then
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    # utime and stime, fields 14 and 15; the command name in field 2 has no blanks here.
    ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)
    kill -TERM "$pid" 2>/dev/null || true
    local stop_by=$((SECONDS + 15))
    while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $stop_by ]; do sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
  echo "$(echo "$stop - $start" | bc) ${rss:-0} $(echo "scale=2; ${ticks:-0} / $(getconf CLK_TCK)" | bc) $status"
}

ratio() {
  if [ "$(echo "$1 > 0 && $2 > 0" | bc)" = 1 ]; then printf '%.2f' "$(echo "scale=4; $1 / $2" | bc)"; else echo "-"; fi
}
mark() { [ "$1" = ok ] && echo "" || echo " ($1)"; }

printf '%6s | %9s %9s %6s | %8s %8s %6s | %8s %8s\n' N quib_s floor_s ratio quib_MB floor_MB ratio quib_cpu floor_cpu
have_quib=1
[ -x "$build/quib" ] || { have_quib=0; echo "startup.sh: no $build/quib, measuring the floor only" >&2; }
# Each run gets a display of its own, so that a window manager still busy with the windows of
# the previous run does not slow the next.
for n in "${counts[@]}"; do
  qt=0 qrss=0 qcpu=0 qs=skipped
  if [ $have_quib = 1 ]; then
    prepare "$n" "$work/app"
    start_display
    read -r qt qrss qcpu qs < <(measure "$n" "$work/app" ./quib)
    stop_display
  fi
  mkdir -p "$work/floor"
  start_display
  read -r ft frss fcpu fs < <(measure "$n" "$work/floor" "$build/quib_floor" "$n")
  stop_display
  printf '%6d | %9.2f %9.2f %6s | %8.1f %8.1f %6s | %8.2f %8.2f%s%s\n' "$n" "$qt" "$ft" "$(ratio "$qt" "$ft")" \
    "$(echo "scale=1; $qrss / 1024" | bc)" "$(echo "scale=1; $frss / 1024" | bc)" "$(ratio "$qrss" "$frss")" \
    "$qcpu" "$fcpu" "$(mark "$qs" | sed 's/(/quib: (/')" "$(mark "$fs" | sed 's/(/floor: (/')"
done
