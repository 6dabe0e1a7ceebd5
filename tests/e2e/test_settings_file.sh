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
