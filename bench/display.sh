# Shared steps of the window benchmarks: a fresh Xvfb with openbox and trayer. Needs $work
# (a scratch folder) and $me (the script's name, for messages).

display_pids=()

wait_for() {
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

start_display() {
  rm -f "$work/display"
  Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp -noreset 9>"$work/display" >"$work/xvfb.log" 2>&1 &
  display_pids=($!)
  wait_for 10 test -s "$work/display" || { echo "$me: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(tr -d '\n' <"$work/display")" XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
  wait_for 10 xdpyinfo || { echo "$me: display $DISPLAY not ready" >&2; return 1; }
  openbox >"$work/openbox.log" 2>&1 &
  display_pids+=($!)
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "$me: openbox did not start" >&2; return 1; }
  trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true --SetPartialStrut true \
    >"$work/trayer.log" 2>&1 &
  display_pids+=($!)
  wait_for 10 sh -c 'xdotool search --classname "^trayer$"' || { echo "$me: trayer did not start" >&2; return 1; }
}

stop_display() {
  local p
  for ((p = ${#display_pids[@]} - 1; p >= 0; p--)); do kill "${display_pids[p]}" 2>/dev/null || true; done
  for p in "${display_pids[@]}"; do wait "$p" 2>/dev/null || true; done
  display_pids=()
}

# Visible windows of a process that the window manager framed: depth 1 is a child of the root,
# depth 2 a client in its frame. The tray icon is embedded deeper, in the tray host, so it is
# not counted.
mapped_windows() { xdotool search --onlyvisible --maxdepth 2 --pid "$1" 2>/dev/null; }

# prepare <n> <dir>: a folder with a copy of the program, settings that skip the welcome note
# and n stored notes, each with a line of text and a record in the notes file.
prepare() {
  local n=$1 dir=$2 i
  rm -rf "$dir"; mkdir -p "$dir/quibnotes"
  cp "$build/quib" "$dir/quib"
  printf '[Strings]\r\nsIdentity=bench\r\n' >"$dir/quib.ini"
  {
    printf '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>\r\n\r\n<quib>\r\n'
    for ((i = 1; i <= n; i++)); do
      printf '    <note id="%d" left="%d" top="%d" width="128" height="128" minimized="0" systemnote="0" chat="0" readonly="0" ontop="0" color="9300421" fontsize="8" fontcolor="0" fontname="MS Sans Serif" />\r\n' \
        "$i" $(((i * 37) % 1100)) $(((i * 23) % 650))
      printf 'note %d\r\n' "$i" >"$dir/quibnotes/$(printf 'quibnote%04d.txt' "$i")"
    done
    printf '</quib>\r\n'
  } >"$dir/quibnotes.xml"
}
