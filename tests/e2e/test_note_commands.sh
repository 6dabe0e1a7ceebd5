#!/usr/bin/env bash
# A note's commands as a person gives them: a right click on the strip opens its menu, "Stay On
# Top" from the menu keeps the note where it is and active, F10 gives the strip a new colour on
# screen and in the notes file after the autosave, and Ctrl+F4 answered with Enter (Yes) deletes
# the note. A Windows-1252 note edited at its end keeps its bytes; a file dropped from a drag
# source is refused by a read-only note and undone by Ctrl+Z on an editable one. With
# NOTE_MENU_SHOT set, the note with its open menu and submenu is saved there.
source "$(dirname "$0")/lib.sh" "$1"
command -v convert >/dev/null || fail "ImageMagick's convert is not installed"
start_display 1280x800
# A plain desktop colour behind the picture of the menu.
[ -z "${NOTE_MENU_SHOT:-}" ] || xsetroot -solid '#5b7690'

crlf() { sed 's/$/\r/'; }
# The colour of a screen pixel as ImageMagick names it: srgb(r,g,b).
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
stored_color() { grep -a "<note id=\"$1\" " "$APP/quibnotes.xml" | sed -n 's/.* color="\([0-9]*\)".*/\1/p'; }
# The frame colour the strip is painted in: the note colour (0x00BBGGRR) darkened by 50.
frame_of() {
  local c=$1 r g b
  r=$(((c & 255) - 50)) g=$(((c >> 8 & 255) - 50)) b=$(((c >> 16 & 255) - 50))
  echo "srgb($((r < 0 ? 0 : r)),$((g < 0 ? 0 : g)),$((b < 0 ? 0 : b)))"
}
# Visible popup menus of the program: windows of its class with no title that the window
# manager does not manage (override-redirect), unlike the notes; the tray icon is one too.
popup_menus() {
  local w tray
  tray=$(tray_icon_window) || true
  for w in $(xdotool search --onlyvisible --classname '^quib$' 2>/dev/null); do
    [ "$w" = "$tray" ] && continue
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && echo "$w"
  done
  return 0
}
menu_count() { popup_menus | wc -l; }
wait_menus() { wait_for 5 test "$(menu_count)" -eq "$1" || fail "expected $1 open menus, see $(menu_count)"; }

LEFT=300 TOP=200 WIDTH=320 HEIGHT=160 COLOR=$((200 + 120 * 256 + 80 * 65536))
printf '[Strings]\nsIdentity=tester\n' | crlf >"$APP/quib.ini"
mkdir -p "$APP/quibnotes"
{
  echo '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'
  echo ''
  echo '<quib>'
  echo "    <note id=\"1\" left=\"$LEFT\" top=\"$TOP\" width=\"$WIDTH\" height=\"$HEIGHT\" minimized=\"0\" systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"0\" color=\"$COLOR\" fontsize=\"8\" fontcolor=\"0\" fontname=\"MS Sans Serif\" />"
  echo '</quib>'
} | crlf >"$APP/quibnotes.xml"
printf 'Shopping\nmilk\nbread\n' | crlf >"$APP/quibnotes/quibnote0001.txt"

start_quib
wait_notes 1
read -r w x y _ _ < <(list_notes)
[ "$x" -eq $LEFT ] && [ "$y" -eq $TOP ] || fail "note at $x,$y"
# A point in the strip right of the centred title, painted in the frame colour.
px=$((LEFT + WIDTH - 15)) py=$((TOP + 8))

# On every workspace: at start, after minimize and restore, and after stay on top (below); on
# another workspace the note is still there.
desktop_of() { xprop -id "$w" _NET_WM_DESKTOP; }
wait_for 5 on_all_desktops "$w" || fail "the note is not on every workspace: $(desktop_of)"
xdotool mousemove $((LEFT + 100)) $((TOP + 8)) click --repeat 2 --delay 80 1
wait_for 5 sh -c "xwininfo -id $w | grep -q 'Width: 17$'" || fail "a double click did not minimize the note"
xdotool mousemove $((LEFT + 8)) $((TOP + 8)) click --repeat 2 --delay 80 1
wait_for 5 sh -c "xwininfo -id $w | grep -q 'Width: $WIDTH$'" || fail "a double click did not restore the note"
on_all_desktops "$w" || fail "minimize and restore took the note off the other workspaces: $(desktop_of)"
xdotool set_desktop 1
wait_for 5 sh -c "xprop -root _NET_CURRENT_DESKTOP | grep -q ' = 1$'" || fail "the workspace did not change"
xwininfo -id "$w" | grep -q IsViewable || fail "the note is gone on the second workspace"
xdotool set_desktop 0
pass "the note is on every workspace, also after minimize and restore"

# A right click anywhere on the strip opens the menu at the pointer.
xdotool mousemove $((LEFT + 230)) $((TOP + 8)) click 3
wait_menus 1
window_geometry "$(popup_menus)"
[ "$X" -ge $((LEFT + 225)) ] && [ "$X" -le $((LEFT + 235)) ] && [ "$Y" -ge $((TOP + 3)) ] && [ "$Y" -le $((TOP + 13)) ] ||
  fail "menu at $X,$Y, not at the pointer"
# Its accelerator opens the appearance submenu: the picture of both.
xdotool key a
wait_menus 2
sleep 0.3
if [ -n "${NOTE_MENU_SHOT:-}" ]; then
  shot "$E2E_WORK/menu.png"
  right=$((LEFT + WIDTH)) bottom=$((TOP + HEIGHT))
  for m in $(popup_menus); do
    window_geometry "$m"
    right=$((X + W > right ? X + W : right)) bottom=$((Y + H > bottom ? Y + H : bottom))
  done
  convert "$E2E_WORK/menu.png" -crop $((right - LEFT + 40))x$((bottom - TOP + 40))+$((LEFT - 20))+$((TOP - 20)) +repage \
    "$NOTE_MENU_SHOT"
fi
xdotool key Escape Escape
wait_menus 0
pass "a right click on the strip opens the menu, 'a' its appearance submenu"

# "Stay On Top" by its accelerator: on top for the window manager, in place, still active.
xdotool mousemove $((LEFT + 100)) $((TOP + 80)) click 1
sleep 0.3
xdotool mousemove $((LEFT + 100)) $((TOP + 8)) click 3
wait_menus 1
xdotool key t
wait_menus 0
wait_for 5 sh -c "xprop -id $w _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" || fail "not on top: $(xprop -id "$w" _NET_WM_STATE)"
xprop -id "$w" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "lost skip-taskbar: $(xprop -id "$w" _NET_WM_STATE)"
on_all_desktops "$w" || fail "on top took the note off the other workspaces: $(desktop_of)"
window_geometry "$w"
[ "$X" -eq $LEFT ] && [ "$Y" -eq $TOP ] || fail "on top moved the note to $X,$Y"
[ "$(xdotool getactivewindow)" = "$w" ] || fail "the note is no longer the active window"
# The keyboard still goes to the note's text.
xdotool key ctrl+End
xdotool type --delay 20 " and eggs"
wait_for 6 grep -q "bread and eggs" "$APP/quibnotes/quibnote0001.txt" || fail "typing after on top did not reach the note"
wait_for 6 sh -c "grep -a '<note id=\"1\" ' '$APP/quibnotes.xml' | grep -q 'ontop=\"-1\"'" || fail "on top not in the record"
pass "stay on top keeps the place, the activation and the keyboard"

# F10: a new colour on screen at once and in the notes file after the autosave.
shot "$E2E_WORK/before.png"
[ "$(pixel "$E2E_WORK/before.png" $px $py)" = "$(frame_of $COLOR)" ] ||
  fail "strip before F10 is $(pixel "$E2E_WORK/before.png" $px $py), not $(frame_of $COLOR)"
xdotool key F10
wait_for 6 sh -c "grep -a '<note id=\"1\" ' '$APP/quibnotes.xml' | grep -qv 'color=\"$COLOR\"'" ||
  fail "the new colour did not reach the notes file"
new=$(stored_color 1)
sleep 0.2
shot "$E2E_WORK/after.png"
[ "$(pixel "$E2E_WORK/after.png" $px $py)" = "$(frame_of "$new")" ] ||
  fail "strip after F10 is $(pixel "$E2E_WORK/after.png" $px $py), not $(frame_of "$new") of colour $new"
pass "F10 paints the strip in a new colour and the autosave stores it ($COLOR -> $new)"

# Ctrl+F11: the font dialog's colour list; "m" picks Maroon and Enter confirms. The colour
# reaches the record, and the stored name the desktop lacks stays. With FONT_DIALOG_SHOT set,
# the dialog with its open colour list is saved there.
xdotool key ctrl+F11
dialog=$(wait_window '^Font$')
wait_for 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $dialog ]" || fail "the font dialog does not have the keyboard"
xdotool key alt+l
if [ -n "${FONT_DIALOG_SHOT:-}" ]; then
  xdotool key alt+Down
  sleep 0.5
  window_geometry "$dialog"
  shot "$E2E_WORK/font.png"
  convert "$E2E_WORK/font.png" -crop $((W + 40))x$((H + 200))+$((X - 20))+$((Y - 20)) +repage "$FONT_DIALOG_SHOT"
  xdotool key Escape
fi
xdotool type m
xdotool key Return
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Font\$' | grep -q ." || fail "the font dialog stayed open"
wait_for 6 sh -c "grep -a '<note id=\"1\" ' '$APP/quibnotes.xml' | grep -q 'fontcolor=\"128\"'" ||
  fail "Maroon did not reach the record: $(grep -a '<note id="1" ' "$APP/quibnotes.xml")"
grep -a '<note id="1" ' "$APP/quibnotes.xml" | grep -q 'fontname="MS Sans Serif"' || fail "the font dialog renamed the font"
pass "the font dialog's colour Maroon reaches the record; the name MS Sans Serif stays"
xdotool mousemove $((LEFT + 100)) $((TOP + 80)) click 1
sleep 0.3

# The keyboard goes where the user looks. Every word typed is in the right note's text file and
# in no other one.
files_with() { grep -l -- "$1" "$APP"/quibnotes/*.txt 2>/dev/null | xargs -rn1 basename | tr '\n' ' '; }
type_into() {
  xdotool type --delay 20 " $1"
  wait_for 8 grep -q -- "$1" "$APP/quibnotes/$2" || fail "'$1' typed $3 did not reach $2: it is in '$(files_with "$1")'"
  [ "$(files_with "$1")" = "$2 " ] || fail "'$1' typed $3 is in $(files_with "$1")"
}
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# A box or dialog a note opens belongs to it (transient for it), and closed with Escape gives the
# keyboard back to it, the caret where it was.
for step in "F9:^Color Picker" "F11:^Color Picker" "ctrl+F11:^Font\$" "ctrl+F4:^Quib v2\.00c\$"; do
  key=${step%%:*} title=${step#*:}
  xdotool key "$key"
  dialog=$(wait_window "$title")
  xprop -id "$dialog" WM_TRANSIENT_FOR | grep -qi "window id # $(printf '0x%x' "$w")$" ||
    fail "the box of $key is not transient for the note: $(xprop -id "$dialog" WM_TRANSIENT_FOR)"
  wait_for 5 active_is "$dialog" || fail "the box of $key does not have the keyboard"
  xdotool key Escape
  wait_for 5 active_is "$w" || fail "after $key and Escape the note is not active"
  type_into "after-$key" quibnote0001.txt "after $key and Escape"
done
grep -q "after-F9 after-F11 after-ctrl+F11 after-ctrl+F4" "$APP/quibnotes/quibnote0001.txt" ||
  fail "a box moved the caret: $(cat "$APP/quibnotes/quibnote0001.txt")"
# F2 right after the colour picker: the control panel comes, and goes again with Alt+F4.
xdotool key F9
dialog=$(wait_window '^Color Picker')
xdotool key Escape
wait_for 5 active_is "$w" || fail "after F9 and Escape the note is not active"
xdotool key F2
panel=$(wait_window '^Quib v2\.00c ')
xdotool windowactivate --sync "$panel" key alt+F4
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Quib v2\.00c ' | grep -q ." || fail "Alt+F4 did not hide the panel"
pass "F9, F11, Ctrl+F11 and Ctrl+F4 open boxes over the note that give it the keyboard back; F2 works after the picker"

# F4: a new note, active, takes the next keys; placed at random on the screen, 128 x 128.
xdotool mousemove $((LEFT + 100)) $((TOP + 80)) click 1
wait_for 5 active_is "$w" || fail "a click on the text did not activate the note"
xdotool key ctrl+End
type_into "mark" quibnote0001.txt "at the text's end"
xdotool key F4
wait_notes 2
read -r new nx ny nw nh < <(list_notes | grep -v "^$w ")
[ "$nw" -eq 128 ] && [ "$nh" -eq 128 ] && [ "$nx" -ge 0 ] && [ "$ny" -ge 0 ] && [ $((nx + nw)) -le 1280 ] &&
  [ $((ny + nh)) -le 800 ] || fail "the new note is at $nx,$ny ${nw}x$nh"
wait_for 5 active_is "$new" || fail "the new note is not active"
type_into "fresh" quibnote0002.txt "after F4 in a note"
pass "F4 makes an active note at $nx,$ny that takes the next keys"

# A click on a note's strip gives it the keyboard, the caret where it was.
xdotool mousemove $((LEFT + 100)) $((TOP + 8)) click 1
wait_for 5 active_is "$w" || fail "a click on the strip did not activate the note"
type_into "strip" quibnote0001.txt "after a click on the strip"
grep -q "mark strip" "$APP/quibnotes/quibnote0001.txt" || fail "the caret moved: $(cat "$APP/quibnotes/quibnote0001.txt")"
pass "a click on the strip gives the note the keyboard"

# Alt+F4 on a note: it collapses to its box and keeps its text; Ctrl+F4 on the box deletes it.
xdotool windowactivate --sync "$new" key alt+F4
wait_for 5 sh -c "xwininfo -id $new | grep -q 'Width: 17$'" || fail "Alt+F4 did not collapse the note"
xwininfo -id "$new" | grep -q IsViewable || fail "Alt+F4 took the note off the screen"
grep -q fresh "$APP/quibnotes/quibnote0002.txt" || fail "Alt+F4 lost the note's text"
quib_running || fail "program ended"
xdotool windowactivate --sync "$new" key ctrl+F4
box=$(wait_window '^Quib v2\.00c$')
xdotool windowactivate --sync "$box" key Return
wait_notes 1
rm -f "$APP/quibnotes/quibnote0002.~txt"
xdotool mousemove $((LEFT + 100)) $((TOP + 8)) click 1
wait_for 5 active_is "$w" || fail "a click on the strip did not activate the note"
pass "Alt+F4 collapses a note to its box, its text kept"

# Ctrl+F4, then Enter on the confirmation's Yes.
xdotool key ctrl+F4
box=$(wait_window '^Quib v2\.00c$')
wait_for 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $box ]" || fail "the confirmation does not have the keyboard"
xdotool key Return
wait_notes 0
wait_for 5 test -f "$APP/quibnotes/quibnote0001.~txt" || fail "no quibnote0001.~txt"
[ ! -e "$APP/quibnotes/quibnote0001.txt" ] || fail "quibnote0001.txt is still there"
grep -q "bread and eggs" "$APP/quibnotes/quibnote0001.~txt" || fail "the deleted note's text is not all there"
quib_running || fail "program ended"
pass "Ctrl+F4 and Enter delete the note and keep its text as quibnote0001.~txt"

# A note from Windows (Windows-1252) edited at its end keeps every byte; a read-only note refuses
# a dropped file with a message; an editable one takes it, and Ctrl+Z brings its text back.
stop_quib TERM
DRAG_SOURCE="$(dirname "$QUIB_BIN")/quib_drag_source"
[ -x "$DRAG_SOURCE" ] || fail "no drag source at $DRAG_SOURCE"
record_line() {
  echo "    <note id=\"$1\" left=\"$2\" top=\"100\" width=\"300\" height=\"160\" minimized=\"0\" systemnote=\"0\" chat=\"0\" readonly=\"$3\" ontop=\"0\" color=\"$COLOR\" fontsize=\"8\" fontcolor=\"0\" fontname=\"MS Sans Serif\" />"
}
{
  echo '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'
  echo ''
  echo '<quib>'
  record_line 2 300 0
  record_line 3 700 -1
  echo '</quib>'
} | crlf >"$APP/quibnotes.xml"
printf 'Gr\xfc\xdfe \x93quoted\x94\r\n\x81\x8d\x8f\x90\x9d \x80 5\r\n' >"$APP/quibnotes/quibnote0002.txt"
printf 'Gr\xfc\xdfe \x93quoted\x94\r\n\x81\x8d\x8f\x90\x9d \x80 5!\r\n' >"$E2E_WORK/edited.txt"
printf 'keep me\r\n' >"$APP/quibnotes/quibnote0003.txt"
printf 'dropped text\r\n' >"$E2E_WORK/drop.txt"
start_quib
wait_notes 2
xdotool mousemove 400 200 click 1
sleep 0.3
xdotool key ctrl+End
xdotool type "!"
wait_for 6 cmp -s "$APP/quibnotes/quibnote0002.txt" "$E2E_WORK/edited.txt" ||
  fail "the Windows-1252 note was not written back byte for byte: $(od -c "$APP/quibnotes/quibnote0002.txt")"
pass "a Windows-1252 note edited at its end keeps its bytes"

"$DRAG_SOURCE" "$E2E_WORK/drop.txt" >>"$E2E_WORK/quib.log" 2>&1 &
E2E_PIDS+=($!)
source_window=$(wait_window '^drag source$')
# Presses the drag source and lets go over the point, moving in steps as a hand does.
drop_at() {
  window_geometry "$source_window"
  xdotool mousemove $((X + 40)) $((Y + 40)) mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((X + 40 + ($1 - X - 40) * step / 8)) $((Y + 40 + ($2 - Y - 40) * step / 8))
    sleep 0.1
  done
  sleep 0.3
  xdotool mouseup 1
}
drop_at 800 200
box=$(wait_window '^Quib v2\.00c$')
xdotool windowactivate --sync "$box" key Return
sleep 4  # past the autosave: the read-only note kept its text
[ "$(cat "$APP/quibnotes/quibnote0003.txt")" = $'keep me\r' ] || fail "the read-only note took the drop"
pass "a read-only note refuses a dropped file with a message"

drop_at 400 200
wait_for 6 grep -q "dropped text" "$APP/quibnotes/quibnote0002.txt" || fail "the editable note did not take the drop"
xdotool mousemove 400 200 click 1
sleep 0.3
xdotool key ctrl+z
wait_for 6 cmp -s "$APP/quibnotes/quibnote0002.txt" "$E2E_WORK/edited.txt" || fail "Ctrl+Z did not bring the text back"
quib_running || fail "program ended"
pass "a drop on an editable note is undone with Ctrl+Z"
