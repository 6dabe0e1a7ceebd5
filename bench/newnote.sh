#!/usr/bin/env bash
# New-note benchmark: under Xvfb with openbox and trayer, Quib (with NOTES stored notes, 1 by
# default) and the floor program (quib_floor --new, a bare Qt program whose F4 opens a new
# frameless window with a text area) run side by side on one display. quib_newnote_probe
# activates a window of each in turn, presses F4 in it and times the new window: until the
# window manager reparents it (its answer to the map request) and until it is mapped, and the
# CPU time the program used in between. Both programs take turns in every round, so both see
# the same load. Reports the median and the 10th-90th percentile range over the rounds.
# Usage: bench/newnote.sh <build-dir> [rounds]   (40 rounds by default; SETTLE ms between keys)
set -euo pipefail

build=$(readlink -f "${1:?usage: newnote.sh <build-dir> [rounds]}")
rounds=${2:-40}
notes=${NOTES:-1}
me=newnote.sh
for tool in Xvfb openbox trayer xdotool xprop xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$me: $tool is not installed" >&2; exit 2; }
done
for prog in quib quib_floor quib_newnote_probe; do
  [ -x "$build/$prog" ] || { echo "$me: no $build/$prog" >&2; exit 2; }
done

work=$(mktemp -d /tmp/quib-bench-XXXXXX)
# shellcheck source=bench/display.sh
. "$(dirname "$0")/display.sh"
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT

# first_window <pid> <count>: the first of the program's windows once it shows count of them.
first_window() {
  local end=$((SECONDS + 30)) found
  while :; do
    found=$(mapped_windows "$1" || true)
    [ "$(printf '%s' "$found" | grep -c .)" -ge "$2" ] && { printf '%s\n' "$found" | head -n 1; return 0; }
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

start_display
prepare "$notes" "$work/app"
(cd "$work/app" && exec ./quib) >"$work/quib.log" 2>&1 &
pids+=($!)
quib_window=$(first_window "${pids[0]}" "$notes") || { echo "$me: Quib showed no note" >&2; exit 1; }
mkdir -p "$work/floor"
(cd "$work/floor" && exec "$build/quib_floor" --new) >"$work/floor.log" 2>&1 &
pids+=($!)
floor_window=$(first_window "${pids[1]}" 1) || { echo "$me: the floor showed no window" >&2; exit 1; }
sleep 1

"$build/quib_newnote_probe" --rounds "$rounds" --settle "${SETTLE:-400}" --raw "$work/raw.txt" \
  "quib=$quib_window" "floor=$floor_window" >"$work/summary.txt"
[ -n "${RAW_OUT:-}" ] && cp "$work/raw.txt" "$RAW_OUT"

# summary lines: label rounds missed map_median map_p10 map_p90 reparent_median cpu_median
read -r _ qn qmiss qmap qlo qhi qrep qcpu < <(grep '^quib ' "$work/summary.txt")
read -r _ fn fmiss fmap flo fhi frep fcpu < <(grep '^floor ' "$work/summary.txt")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0 && b > 0) printf "%.2f", a / b; else print "-" }'; }
echo "new note after F4, $notes stored note(s), $rounds rounds each (ms; median, 10th-90th percentile)"
printf '%-22s | %16s | %16s | %5s\n' "" Quib floor ratio
printf '%-22s | %6.2f %9s | %6.2f %9s | %5s\n' "until mapped" "$qmap" "$qlo-$qhi" "$fmap" "$flo-$fhi" "$(ratio "$qmap" "$fmap")"
printf '%-22s | %16.2f | %16.2f | %5s\n' "until reparented" "$qrep" "$frep" "$(ratio "$qrep" "$frep")"
printf '%-22s | %16.2f | %16.2f | %5s\n' "CPU time until mapped" "$qcpu" "$fcpu" "$(ratio "$qcpu" "$fcpu")"
[ "$qmiss" = 0 ] && [ "$fmiss" = 0 ] || echo "missed rounds: Quib $qmiss, floor $fmiss"
echo "new note files written: $(find "$work/app/quibnotes" -name 'quibnote*.txt' | wc -l) (of $((notes + qn)))"
