#!/usr/bin/env bash
# Follow benchmark: Quib runs under Xvfb with openbox and trayer with one open note; each round
# puts a new version of the note's text file in place the way Syncthing does (written beside it
# under a temporary name, then renamed over it) and times, from the rename, until the note's
# window shows the new text: its pixels, grabbed with ImageMagick's import again and again, differ
# from before. A figure is the time to the end of the first grab that shows the new text, so it
# is late by up to one grab; the grab's own time is reported too. Median and 10th-90th percentile
# over the rounds.
# Usage: bench/syncfollow.sh <build-dir> [rounds]   (20 rounds by default; SETTLE s between them)
set -euo pipefail

build=$(readlink -f "${1:?usage: syncfollow.sh <build-dir> [rounds]}")
rounds=${2:-20}
me=syncfollow.sh
for tool in Xvfb openbox trayer xdotool xprop xdpyinfo import; do
  command -v "$tool" >/dev/null || { echo "$me: $tool is not installed" >&2; exit 2; }
done
[ -x "$build/quib" ] || { echo "$me: no $build/quib" >&2; exit 2; }

work=$(mktemp -d /tmp/quib-bench-XXXXXX)
# shellcheck source=bench/display.sh
. "$(dirname "$0")/display.sh"
pid=""
cleanup() {
  [ -n "$pid" ] && { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT

now_ns() { date +%s%N; }
pixels() { import -window "$window" rgb:- 2>/dev/null | md5sum; }
# Median and 10th-90th percentile of the numbers on standard input, in ms with one decimal.
summary() {
  sort -n | awk '{ v[NR] = $1 } END {
    lo = v[int((NR - 1) * 0.1) + 1]; hi = v[int((NR - 1) * 0.9) + 1]
    med = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %.1f ms (%.1f-%.1f)\n", med, lo, hi }'
}

start_display
prepare 1 "$work/app"
note="$work/app/quibnotes/quibnote0001.txt"
(cd "$work/app" && exec ./quib) >"$work/quib.log" 2>&1 &
pid=$!
wait_for 30 sh -c "xdotool search --onlyvisible --maxdepth 2 --pid $pid | grep -q ." ||
  { echo "$me: Quib showed no note" >&2; exit 1; }
window=$(mapped_windows "$pid" | head -n 1)
sleep 1
before=$(pixels)
sleep 0.5
[ "$(pixels)" = "$before" ] || { echo "$me: the note's pixels change by themselves" >&2; exit 1; }

: >"$work/follow.txt"
: >"$work/grab.txt"
for ((round = 1; round <= rounds; round++)); do
  before=$(pixels)
  printf 'round %d\r\nfrom the other computer\r\n' "$round" >"$work/app/quibnotes/.incoming"
  start=$(now_ns)
  mv "$work/app/quibnotes/.incoming" "$note"
  while :; do
    grab_start=$(now_ns)
    shown=$(pixels)
    end=$(now_ns)
    echo $(((end - grab_start) / 1000)) >>"$work/grab.txt"
    [ "$shown" != "$before" ] && break
    [ $((end - start)) -lt 5000000000 ] || { echo "$me: round $round: the note did not follow in 5 s" >&2; exit 1; }
  done
  echo $(((end - start) / 1000)) >>"$work/follow.txt"
  sleep "${SETTLE:-0.5}"
done
grep -q "round $rounds" "$note" || { echo "$me: the note's file lost the last version" >&2; exit 1; }

us_to_ms() { awk '{ printf "%.3f\n", $1 / 1000 }'; }
echo "rename to note shown: $(us_to_ms <"$work/follow.txt" | summary) over $rounds rounds"
echo "one window grab:      $(us_to_ms <"$work/grab.txt" | summary)"
