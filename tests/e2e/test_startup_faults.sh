#!/usr/bin/env bash
# Start-up after a notes file Quib refuses: the stored notes still open, a new note takes a free
# id and gets a record, and the refused file is kept as .bak once something is written; a logout
# while the start-up message waits ends the program; a second start in the same folder hands
# over to the running one through a socket no other user can take. A notes file cut short is
# kept as .bak before the first write; a settings file that cannot be read still lets every
# stored note open. With no X11 display a message says so, on standard error and as a desktop
# notification.
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

# The box answered, the stored notes are on screen; they get records, so the first write moves
# the refused file aside and says where it went.
start_quib
box=$(wait_window '^Quib v2\.00c$')
xdotool windowactivate --sync "$box" key Return
wait_notes 3
wait_for 5 sh -c '! xdotool search --onlyvisible --name "^Quib v2\.00c$" | grep -qx '"$box" ||
  fail "the start-up box did not close"
told=$(wait_window '^Quib v2\.00c$' 10)
xdotool windowactivate --sync "$told" key Return
wait_for 5 cmp -s "$APP/quibnotes.xml.bak" "$E2E_WORK/refused.xml" || fail "the refused file was not kept as .bak"
# A new note from the control panel's File menu.
panel=$(wait_window '^Quib v2\.00c \(C\)')
xdotool windowactivate --sync "$panel"
sleep 0.3
xdotool key alt+f
sleep 0.5
xdotool key n
wait_notes 4
wait_for 5 test -f "$APP/quibnotes/quibnote0004.txt" || fail "the new note did not take id 4"
wait_for 5 grep -q '<note id="4" ' "$APP/quibnotes.xml" || fail "the new note got no record"
for id in 1 2 3; do
  cmp -s "$APP/quibnotes/quibnote000$id.txt" "$E2E_WORK/texts/quibnote000$id.txt" || fail "note $id's text changed"
done
pass "after a refused notes file the 3 stored notes open, a new note gets id 4 and a record; the old file is kept as .bak"

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
ls "$XDG_RUNTIME_DIR"/quib-* >/dev/null 2>&1 && test -S "$(ls "$XDG_RUNTIME_DIR"/quib-* | head -n1)" ||
  fail "the socket is not in XDG_RUNTIME_DIR"
pass "a second start shows the running program's control panel and ends"
stop_quib TERM

# Without XDG_RUNTIME_DIR the socket has no file anyone could take first: the abstract namespace.
runtime=$XDG_RUNTIME_DIR
unset XDG_RUNTIME_DIR
touch "$E2E_WORK/before-start"
sleep 1  # whole seconds apart: what is newer than the mark was made by this start
start_quib
grep -q " @quib-$(id -u)-[0-9a-f]*\$" /proc/net/unix || fail "no abstract socket: $(grep quib /proc/net/unix)"
made=$(find /tmp -maxdepth 1 -name 'quib-*' -type s -newer "$E2E_WORK/before-start")
[ -z "$made" ] || fail "a socket under a guessable name in /tmp: $made"
find_windows '^Quib v2\.00c \(C\)' && fail "the control panel shows before it is asked for"
timeout 10 "$APP/quib" >>"$E2E_WORK/quib.log" 2>&1 || fail "the second start did not end with status 0"
wait_window '^Quib v2\.00c \(C\)' >/dev/null
stop_quib TERM
export XDG_RUNTIME_DIR=$runtime
pass "without XDG_RUNTIME_DIR the hand-over socket is abstract, nothing under /tmp, and still hands over"

note_line() {
  echo "    <note id=\"$1\" left=\"$2\" top=\"$3\" width=\"200\" height=\"120\" minimized=\"0\" systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"0\" color=\"9300421\" fontsize=\"8\" fontcolor=\"0\" fontname=\"MS Sans Serif\" />"
}
fresh_folder() {
  rm -rf "$APP"/quib* "$APP"/.quib*
  mkdir -p "$APP/quibnotes"
  for id in $(seq 1 "$1"); do printf 'note %s\r\n' "$id" >"$APP/quibnotes/quibnote000$id.txt"; done
}
on_screen_at() { list_notes | awk -v x="$1" -v y="$2" '$2 == x && $3 == y { found = 1 } END { exit !found }'; }

# A notes file cut inside its third record: one message naming the file, the notes read before
# the cut where they were, and the file kept byte for byte as .bak before the first write.
fresh_folder 3
printf '[Strings]\nsIdentity=tester\n' | crlf >"$APP/quib.ini"
{
  echo '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'
  echo ''
  echo '<quib>'
  note_line 1 100 100
  note_line 2 400 100
} | crlf >"$APP/quibnotes.xml"
note_line 3 700 100 | head -c 40 >>"$APP/quibnotes.xml"
cp "$APP/quibnotes.xml" "$E2E_WORK/cut.xml"
start_quib
told=$(wait_window '^Quib v2\.00c$')
xdotool windowactivate --sync "$told" key Return
wait_notes 3
on_screen_at 100 100 && on_screen_at 400 100 || fail "the notes before the cut are not where they were: $(list_notes)"
wait_for 6 test -e "$APP/quibnotes.xml.bak" || fail "the cut file was not kept as .bak"
cmp -s "$APP/quibnotes.xml.bak" "$E2E_WORK/cut.xml" || fail "the .bak is not the cut file byte for byte"
wait_for 5 grep -q '<note id="3" ' "$APP/quibnotes.xml" || fail "no new notes file with all three records"
grep -q '<note id="2" left="400" top="100" ' "$APP/quibnotes.xml" || fail "the second record was not kept"
stop_quib TERM
pass "a notes file cut in its third record is kept as .bak before the first write; notes 1 and 2 stay in place"

# A folder named quib.ini: after the error box both stored notes are on screen, and the folder
# is left as it is.
fresh_folder 2
mkdir "$APP/quib.ini"
{
  echo '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'
  echo ''
  echo '<quib>'
  note_line 1 100 300
  note_line 2 400 300
  echo '</quib>'
} | crlf >"$APP/quibnotes.xml"
start_quib
box=$(wait_window '^Quib v2\.00c$')
xdotool windowactivate --sync "$box" key Return
wait_notes 2
on_screen_at 100 300 && on_screen_at 400 300 || fail "the stored notes are not where they were: $(list_notes)"
stop_quib TERM
[ -d "$APP/quib.ini" ] && [ -z "$(ls -A "$APP/quib.ini")" ] || fail "the folder quib.ini was touched"
pass "a folder named quib.ini still opens both stored notes after the error box"
