#!/usr/bin/env bash
# Start-up benchmark: under a fresh Xvfb with openbox and trayer, starts Quib with 1, 100 and
# 1024 stored notes and reports the time until every note window is mapped, the resident memory
# then and the CPU time used; and the same for a bare Qt program with as many windows.
# Usage: bench/startup.sh <build-dir> [counts...]
set -euo pipefail
build=$(readlink -f "${1:?usage: startup.sh <build-dir> [counts...]}")
shift
[ $# -gt 0 ] && counts=("$@") || counts=(1 100 1024)
work=$(mktemp -d /tmp/quib-bench-XXXXXX)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp -noreset 9>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '\n' <"$work/display")" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 & pids+=($!)
sleep 1
trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true --SetPartialStrut true \
  >/dev/null 2>&1 & pids+=($!)
sleep 1


# measure <n> <command...>: prints "seconds rss_kb cpu_seconds"
measure() {
  local n=$1; shift
  local start; start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 &
  local pid=$!
  local end=$((SECONDS + 120))
  # Openbox reparents each client: count the frames as the WM lists them.
  until [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge "$n" ]; do
    [ $SECONDS -ge $end ] && { echo "timeout" >&2; break; }
    sleep 0.05
  done
  local stop; stop=$(date +%s.%N)
  local rss; rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  local ticks; ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
  echo "$(echo "$stop - $start" | bc) $rss $(echo "scale=2; $ticks / $(getconf CLK_TCK)" | bc)"
}

prepare() {
  local n=$1 dir=$2
  rm -rf "$dir"; mkdir -p "$dir/quibnotes"
  cp "$build/quib" "$dir/quib"
  printf '[Strings]\r\nsIdentity=bench\r\n' >"$dir/quib.ini"
  {
    printf '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>\r\n\r\n<quib>\r\n'
    for i in $(seq "$n"); do
      printf '    <note id="%d" left="%d" top="%d" width="128" height="128" minimized="0" systemnote="0" chat="0" readonly="0" ontop="0" color="9300421" fontsize="8" fontcolor="0" fontname="MS Sans Serif" />\r\n' \
        "$i" $(((i * 37) % 1100)) $(((i * 23) % 650))
      printf 'note %d\r\n' "$i" >"$dir/quibnotes/$(printf 'quibnote%04d.txt' "$i")"
    done
    printf '</quib>\r\n'
  } >"$dir/quibnotes.xml"
}

printf '%6s | %9s %9s %6s | %9s %9s %6s | %8s %8s\n' N quib_s floor_s ratio quib_MB floor_MB ratio quib_cpu floor_cpu
for n in "${counts[@]}"; do
  prepare "$n" "$work/app"
  # The tray icon is one more visible window of the program.
  read -r qt qrss qcpu < <(cd "$work/app" && measure $((n + 1)) ./quib)
  read -r ft frss fcpu < <(measure "$n" "$build/quib_floor" "$n")
  printf '%6d | %9.2f %9.2f %6.2f | %9.1f %9.1f %6.2f | %8.2f %8.2f\n' "$n" "$qt" "$ft" \
    "$(echo "scale=3; $qt / $ft" | bc)" "$(echo "scale=1; $qrss / 1024" | bc)" "$(echo "scale=1; $frss / 1024" | bc)" \
    "$(echo "scale=3; $qrss / $frss" | bc)" "$qcpu" "$fcpu"
done
