#!/usr/bin/env bash
# The disk fills while a note is typed: one message, the old file intact, nothing lost, and
# once there is room again everything typed reaches the disk within the autosave delay. A first
# start on a full disk makes the welcome note at the next start, once there is room.
source "$(dirname "$0")/lib.sh" "$1"

# A small file system of its own, just big enough for the program and its files.
SMALL="$E2E_WORK/small"
mkdir -p "$SMALL"
size_kb=$(( $(stat -c %s "$QUIB_BIN") / 1024 + 2048 ))
if ! mount -t tmpfs -o "size=${size_kb}k" tmpfs "$SMALL" 2>/dev/null; then
  echo "SKIP: cannot mount a small tmpfs here (needs root and mount permission)"
  exit 0
fi
unmount() { umount -l "$SMALL" 2>/dev/null || true; }
trap 'unmount; e2e_cleanup' EXIT
APP="$SMALL"
start_display 1280x800

printf '[Strings]\r\nsIdentity=tester\r\n' >"$APP/quib.ini"
mkdir -p "$APP/quibnotes"
printf 'old text\r\n' >"$APP/quibnotes/quibnote0001.txt"
start_quib
wait_notes 1
read -r _ x y _ _ < <(list_notes)
# The text with its line breaks left out: where the typing lands does not matter here.
text_is() { [ "$(tr -d '\r\n' <"$APP/quibnotes/quibnote0001.txt")" = "$1" ]; }
xdotool mousemove $((x + 60)) $((y + 60)) click 1
sleep 0.3
xdotool key ctrl+End
xdotool type --delay 20 " before"
wait_for 6 text_is "old text before" || fail "autosave did not write before the disk filled"

# Fill the disk.
dd if=/dev/zero of="$APP/filler" bs=64k 2>/dev/null || true
cp "$APP/quibnotes/quibnote0001.txt" "$E2E_WORK/saved.txt"
xdotool type --delay 20 " while full"
box=$(wait_window '^Quib v2\.00c$' 10)
sleep 7  # two more autosave rounds: still one box
[ "$(find_windows '^Quib v2\.00c$' | wc -l)" -eq 1 ] || fail "more than one box about the full disk"
cmp -s "$APP/quibnotes/quibnote0001.txt" "$E2E_WORK/saved.txt" || fail "the old file was damaged on a full disk"
ls -A "$APP/quibnotes" | grep -q 'tmp-' && fail "temporary files left on the full disk"
shot "$E2E_WORK/full.png"
pass "a full disk gives one message and leaves the old file whole"

# Room again: everything typed reaches the disk within the autosave delay.
xdotool windowactivate --sync "$box" key Return
rm -f "$APP/filler"
wait_for 5 text_is "old text before while full" ||
  fail "what was typed on the full disk did not reach it once there was room"
quib_running || fail "the program ended"
pass "once there is room again the note is saved within five seconds"
stop_quib TERM

# A first start on a full disk: the files cannot be made, and the next start with room shows
# the welcome note all the same.
find "$APP" -mindepth 1 -maxdepth 1 ! -name quib -exec rm -rf {} +
dd if=/dev/zero of="$APP/filler" bs=64k 2>/dev/null || true
export USERNAME=tester
start_quib
box=$(wait_window '^Quib v2\.00c$' 10)
xdotool windowactivate --sync "$box" key Return
stop_quib TERM
rm -f "$APP/filler"
start_quib
wait_notes 1
wait_for 5 grep -q "^Welcome to Quib" "$APP/quibnotes/quibnote0001.txt" || fail "no welcome note at the start after the full disk"
stop_quib TERM
start_quib
sleep 2
[ "$(note_count)" -eq 1 ] || fail "a second welcome note"
pass "a first start on a full disk makes the welcome note at the next start"
stop_quib TERM
