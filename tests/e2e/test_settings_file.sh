#!/usr/bin/env bash
# The settings file of a first run, its keys in order, a kept value, an off-screen position and
# a value that does not convert.
source "$(dirname "$0")/lib.sh" "$1"
start_display 1280x800

start_quib
[ -d "$APP/quibnotes" ] || fail "notes folder not created at start"
stop_quib TERM
[ -f "$APP/quib.ini" ] || fail "SIGTERM did not save the settings"
expected="[Booleans] bRandomColor bSnapGrid bSnapEdges bSnapNotes bStartup bBringToFront bRemoveStayOnTop
bPlayWAV1 bPlayWAV2 bWinXPShadow [Integers] iLastX iLastY iGridX iGridY iDefaultFontSize iDefaultFontColor
iSnapDistance [Strings] sDefaultFontName sIdentity sWAVFilename1 sWAVFilename2 sLastSend sLastImportDir
sLastExportDir sICODir sTrayIcon sNotesTitle"
actual=$(tr -d '\r' <"$APP/quib.ini" | grep -v '^$' | sed 's/=.*//' | tr '\n' ' ')
[ "$(echo $actual)" = "$(echo $expected)" ] || fail "keys: $actual"
grep -q $'\r$' "$APP/quib.ini" || fail "lines do not end in CR LF"
pass "first run writes every key in order"

# A changed value is kept; an off-screen position is replaced by the centred one.
sed -i 's/^iGridX=.*/iGridX=13\r/; s/^iLastX=.*/iLastX=5000\r/; s/^iLastY=.*/iLastY=-4000\r/' "$APP/quib.ini"
start_quib
stop_quib TERM
[ "$(ini_value iGridX)" = 13 ] || fail "iGridX not kept: $(ini_value iGridX)"
x=$(ini_value iLastX); y=$(ini_value iLastY)
[ "$x" -ge 0 ] && [ "$x" -lt 1280 ] && [ "$y" -ge 0 ] && [ "$y" -lt 800 ] || fail "off-screen position kept: $x,$y"
pass "changed value kept, off-screen position centred ($x,$y)"

# The control panel comes back where it was.
start_quib
double_click_tray
panel=$(wait_window '^Quib v2\.00c ')
window_geometry "$panel"
[ "$X" -eq "$x" ] && [ "$Y" -eq "$y" ] || fail "panel shown at $X,$Y instead of $x,$y"
stop_quib TERM
[ "$(ini_value iLastX)" = "$x" ] && [ "$(ini_value iLastY)" = "$y" ] || fail "position moved while shown"
pass "control panel shown at the remembered position"

# A boolean that does not convert: an error box, and the program goes on.
sed -i 's/^bSnapGrid=.*/bSnapGrid=yes\r/' "$APP/quib.ini"
cp "$APP/quib.ini" "$E2E_WORK/before.ini"
start_quib
box=$(wait_window '^Quib v2\.00c$')
quib_running || fail "program ended after the conversion error"
xdotool windowactivate --sync "$box" key Return
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Quib v2\.00c$'" || fail "error box did not close"
quib_running || fail "program ended after the error box"
stop_quib TERM
cmp -s "$APP/quib.ini" "$E2E_WORK/before.ini" || fail "the unreadable settings were overwritten"
pass "conversion error shown, program kept running, settings file untouched"

# Every way the session ends runs the closing step.
for sig in HUP INT TERM; do
  rm -f "$APP/quib.ini"
  start_quib
  stop_quib "$sig"
  [ -f "$APP/quib.ini" ] || fail "SIG$sig ended the program without saving"
done
pass "SIGHUP, SIGINT and SIGTERM save before the program ends"

# The notes file replaced by another computer's version while the program runs (a sync tool
# renames its copy over the file): the note moves there within 2 s and the file keeps that place
# after the exit. The settings file replaced the same way is not read back while running.
rm -rf "$APP/quibnotes" "$APP/quibnotes.xml"
mkdir -p "$APP/quibnotes"
printf 'synced\r\n' >"$APP/quibnotes/quibnote0001.txt"
printf '[Strings]\r\nsIdentity=tester\r\n' >"$APP/quib.ini"
record() {
  printf '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>\r\n\r\n<quib>\r\n'
  printf '    <note id="1" left="%s" top="%s" width="200" height="150" minimized="0" systemnote="0" chat="0" readonly="0" ontop="0" color="255" fontsize="8" fontcolor="0" fontname="Sans" />\r\n' "$1" "$2"
  printf '</quib>\r\n'
}
record 100 120 >"$APP/quibnotes.xml"
start_quib
wait_notes 1
note_at() { list_notes | awk -v x="$1" -v y="$2" '$2 == x && $3 == y { found = 1 } END { exit !found }'; }
not_at() { [ "$(note_count)" -eq 1 ] && ! note_at "$@"; }
wait_for 5 note_at 100 120 || fail "the note is not at its record's place: $(list_notes)"
record 400 300 >"$APP/.syncthing.quibnotes.xml.tmp"
printf '[Strings]\r\nsIdentity=tester\r\n[Integers]\r\niGridX=77\r\n' >"$APP/quib.ini.tmp"
began=$(date +%s%N)
mv -f "$APP/.syncthing.quibnotes.xml.tmp" "$APP/quibnotes.xml"
mv -f "$APP/quib.ini.tmp" "$APP/quib.ini"
wait_for 2 note_at 400 300 || fail "the note did not follow the notes file within 2 s: $(list_notes)"
took=$((($(date +%s%N) - began) / 1000000))
stop_quib TERM
grep -q '<note id="1" left="400" top="300" ' "$APP/quibnotes.xml" || fail "the moved place was not kept: $(cat "$APP/quibnotes.xml")"
[ "$(ini_value iGridX)" != 77 ] || fail "the settings file was read back while running"
pass "the notes file replaced from outside moved the note in ${took} ms; the place is kept after the exit"

# A place off every monitor here (another computer's larger desktop): the note shows on screen,
# and the file keeps that place.
start_quib
wait_for 5 note_at 400 300 || fail "the note did not open at its place: $(list_notes)"
record 5000 4000 >"$APP/.syncthing.quibnotes.xml.tmp"
mv -f "$APP/.syncthing.quibnotes.xml.tmp" "$APP/quibnotes.xml"
wait_for 2 not_at 400 300 || fail "the note did not follow the notes file: $(list_notes)"
read -r _ x y _ _ < <(list_notes)
[ "$x" -ge 0 ] && [ "$x" -lt 1280 ] && [ "$y" -ge 0 ] && [ "$y" -lt 800 ] || fail "the note is off screen at $x,$y"
sleep 1
stop_quib TERM
grep -q '<note id="1" left="5000" top="4000" ' "$APP/quibnotes.xml" || fail "the incoming place was not kept: $(cat "$APP/quibnotes.xml")"
pass "a place off every monitor shows the note at $x,$y and stays in the file"
