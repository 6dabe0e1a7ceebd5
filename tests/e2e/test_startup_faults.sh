#!/usr/bin/env bash
# Start-up after a notes file Quib refuses: a new note takes a free id and gets a record, and the
# refused file is kept as .bak once something is written; a logout while the start-up message
# waits ends the program; a second start in the same folder hands over to the running one; with
# no X11 display a message says so, on standard error and as a desktop notification.
source "$(dirname "$0")/lib.sh" "$1"

# No X11 display: unset, or one nobody serves. A stand-in notify-send records what it is given.
mkdir -p "$E2E_WORK/bin"
printf '#!/bin/sh\nprintf "%%s|" "$@" >"%s/notified"\n' "$E2E_WORK" >"$E2E_WORK/bin/notify-send"
chmod +x "$E2E_WORK/bin/notify-send"
cp "$QUIB_BIN" "$APP/quib"
for display in "" ":4711"; do
  rm -f "$E2E_WORK/notified"
  status=0
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" PATH="$E2E_WORK/bin:$PATH" \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$APP/quib" 2>"$E2E_WORK/err" || status=$?
  [ $status -eq 1 ] || fail "DISPLAY='$display': status $status, not 1: $(cat "$E2E_WORK/err")"
  grep -q '^Quib needs an X11 session or XWayland\.' "$E2E_WORK/err" || fail "DISPLAY='$display': $(cat "$E2E_WORK/err")"
  grep -q '^--app-name=Quib|.*|Quib cannot start|Quib needs an X11 session or XWayland\. ' "$E2E_WORK/notified" ||
    fail "DISPLAY='$display': no notification: $(cat "$E2E_WORK/notified" 2>/dev/null)"
done
[ ! -e "$APP/quib.ini" ] && [ ! -e "$APP/quibnotes" ] || fail "a start without a display wrote files"
rm -f "$APP/quib"
pass "no X11 display: the message on stderr and as a notification, status 1"

start_display 1280x800

crlf() { sed 's/$/\r/'; }
printf '[Strings]\nsIdentity=tester\n' | crlf >"$APP/quib.ini"
mkdir -p "$APP/quibnotes"
for id in 1 2 3; do printf 'note %s\r\n' "$id" >"$APP/quibnotes/quibnote000$id.txt"; done
{
  echo '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'
  echo ''
  echo '<Quib>'
  echo '</Quib>'
} | crlf >"$APP/quibnotes.xml"
cp "$APP/quibnotes.xml" "$E2E_WORK/refused.xml"
cp -r "$APP/quibnotes" "$E2E_WORK/texts"

# A logout (SIGTERM) while the error box waits ends the program within two seconds, and
# nothing it could not read is touched.
start_quib
wait_window '^Quib v2\.00c$' >/dev/null
kill -TERM "$QUIB_PID"
end=$((SECONDS + 2))
while kill -0 "$QUIB_PID" 2>/dev/null; do
  [ $SECONDS -le $end ] || fail "still running two seconds after SIGTERM with the start-up box open"
  sleep 0.1
done
QUIB_PID=""
cmp -s "$APP/quibnotes.xml" "$E2E_WORK/refused.xml" || fail "the refused notes file was changed"
[ ! -e "$APP/quibnotes.xml.bak" ] || fail "moved aside with nothing to write"
pass "SIGTERM while the start-up box is open ends the program within two seconds"

# The box answered, a new note from the control panel's File menu.
start_quib
box=$(wait_window '^Quib v2\.00c$')
xdotool windowactivate --sync "$box" key Return
panel=$(wait_window '^Quib v2\.00c \(C\)')
xdotool windowactivate --sync "$panel"
sleep 0.3
xdotool key alt+f
sleep 0.5
xdotool key n
wait_notes 1
wait_for 5 test -f "$APP/quibnotes/quibnote0004.txt" || fail "the new note did not take id 4"
# The first write moves the refused file aside and says where it went.
told=$(wait_window '^Quib v2\.00c$' 10)
xdotool windowactivate --sync "$told" key Return
wait_for 5 grep -q '<note id="4" ' "$APP/quibnotes.xml" || fail "the new note got no record"
cmp -s "$APP/quibnotes.xml.bak" "$E2E_WORK/refused.xml" || fail "the refused file was not kept as .bak"
for id in 1 2 3; do
  cmp -s "$APP/quibnotes/quibnote000$id.txt" "$E2E_WORK/texts/quibnote000$id.txt" || fail "note $id's text changed"
done
pass "after a refused notes file a new note gets id 4 and a record; the old file is kept as .bak"

# A second start in the same folder opens nothing, shows the running program's panel and ends.
xdotool windowactivate --sync "$panel" key alt+F4
wait_for 5 sh -c '! xdotool search --onlyvisible --name "^Quib v2\.00c \(C\)" | grep -q .' ||
  fail "the control panel did not hide"
before=$(note_count)
timeout 10 "$APP/quib" >>"$E2E_WORK/quib.log" 2>&1 || fail "the second start did not end with status 0"
wait_window '^Quib v2\.00c \(C\)' >/dev/null
[ "$(note_count)" -eq "$before" ] || fail "the second start opened notes of its own"
quib_running || fail "the first program ended"
[ "$(pgrep -c -f "$APP/quib")" -le 1 ] || fail "two programs run on one folder"
pass "a second start shows the running program's control panel and ends"
stop_quib TERM
