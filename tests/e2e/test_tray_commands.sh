#!/usr/bin/env bash
# The tray icon and the control panel's commands as a person uses them: start with login from
# the stored setting and from the box, the tray menu at a right click, undelete through the real
# file dialog, an opener that fails, and a tray that appears only after the program has started.
source "$(dirname "$0")/lib.sh" "$1"
start_display 1280x800
export XDG_CONFIG_HOME="$E2E_WORK/config"
entry="$XDG_CONFIG_HOME/autostart/Quib.desktop"
crlf() { sed 's/$/\r/'; }

# The tray's popup menu: an override-redirect window of the program larger than the icon.
tray_menu_window() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^quib$' 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' || continue
    window_geometry "$w"
    [ "$W" -gt 60 ] && { echo "$w"; return 0; }
  done
  return 1
}
no_tray_menu() { ! tray_menu_window; }
# Types a word and checks it reaches the given note's text file and no other one.
files_with() { grep -l -- "$1" "$APP"/quibnotes/*.txt 2>/dev/null | xargs -rn1 basename | tr '\n' ' '; }
type_into() {
  xdotool type --delay 20 "$1"
  wait_for 8 grep -q -- "$1" "$APP/quibnotes/$2" || fail "'$1' typed $3 did not reach $2: it is in '$(files_with "$1")'"
  [ "$(files_with "$1")" = "$2 " ] || fail "'$1' typed $3 is in $(files_with "$1")"
}

# The desktop's opener, as xdg-open answers without a file manager: it records what it was
# given and fails.
mkdir -p "$E2E_WORK/bin"
printf '#!/bin/sh\nprintf "%%s" "$1" >"%s/opened"\nexit 3\n' "$E2E_WORK" >"$E2E_WORK/bin/xdg-open"
chmod +x "$E2E_WORK/bin/xdg-open"
export PATH="$E2E_WORK/bin:$PATH"

# Note 7 was deleted in an earlier run: its record stays in the notes file, its text under .~txt.
mkdir -p "$APP/quibnotes"
printf '[Strings]\nsIdentity=tester\n[Booleans]\nbStartup=1\n' | crlf >"$APP/quib.ini"
{
  echo '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'
  echo ''
  echo '<quib>'
  echo '    <note id="7" left="60" top="480" width="230" height="140" minimized="-1" systemnote="0" chat="0" readonly="0" ontop="0" color="49407" fontsize="9" fontcolor="0" fontname="DejaVu Sans" />'
  echo '</quib>'
} | crlf >"$APP/quibnotes.xml"
printf 'seven\r\n' >"$APP/quibnotes/quibnote0007.~txt"

# A stored bStartup=1 writes the entry at start, naming this program.
start_quib
wait_for 5 test -f "$entry" || fail "no autostart entry after a start with bStartup=1"
expected=$(printf '[Desktop Entry]\nType=Application\nName=Quib\nComment=Quib - Brantel Software\nExec=%s\nX-GNOME-Autostart-enabled=true' "$APP/quib")
[ "$(cat "$entry")" = "$expected" ] || fail "autostart entry: $(cat "$entry")"
pass "a start with bStartup=1 writes $entry naming the program"

# A right click opens the tray menu at the pointer; "Create Quib-&Note" makes a note.
icon=$(tray_icon_window) || fail "no tray icon"
window_geometry "$icon"
px=$((X + W / 2)) py=$((Y + H / 2))
xdotool mousemove "$px" "$py" click 3
wait_for 5 tray_menu_window || fail "no menu after a right click on the tray icon"
window_geometry "$(tray_menu_window)"
[ $((px + 30)) -ge "$X" ] && [ $((px - 30)) -le $((X + W)) ] && [ $((py + 30)) -ge "$Y" ] &&
  [ $((py - 30)) -le $((Y + H)) ] || fail "menu at $X,$Y ${W}x$H, far from the pointer at $px,$py"
xdotool key n
wait_for 5 no_tray_menu || fail "menu stayed open"
wait_notes 1
# Ids of deleted notes are never given again: the new note is 8.
[ -f "$APP/quibnotes/quibnote0008.txt" ] || fail "the new note is not note 8: $(ls "$APP/quibnotes")"
type_into "traynote" quibnote0008.txt "after Create Quib-Note in the tray menu"
pass "right click, Create Quib-Note: note 8 made, and it takes the next keys"

# Undelete through the File menu and the real file dialog: note 7 comes back where it was,
# restored, in its own colour.
double_click_tray
panel=$(wait_window '^Quib v2\.00c ')
xdotool windowactivate --sync "$panel" key alt+f
sleep 0.5
xdotool key Down Down Return
dialog=$(wait_window '^Import Text File$')
xdotool windowactivate --sync "$dialog" type --delay 20 'quibnote0007.~txt'
xdotool key Return
wait_for 5 test -f "$APP/quibnotes/quibnote0007.txt" || fail "the deleted file was not renamed back"
[ ! -e "$APP/quibnotes/quibnote0007.~txt" ] || fail "the deleted file is still there"
wait_notes 2
list_notes | grep -q " 60 480 230 140$" || fail "note 7 not back where it was: $(list_notes)"
type_into "undeleted" quibnote0007.txt "after the undelete"
read -r seven _ < <(list_notes | grep " 60 480 230 140$")
xdotool windowraise "$seven"
sleep 0.3
shot "$E2E_WORK/undeleted.png"
colour=$(convert "$E2E_WORK/undeleted.png" -format '%[hex:p{175,600}]' info:)
[ "${colour:0:6}" = "FFC000" ] || fail "note 7 is $colour, not its colour FFC000"
pass "undelete brings note 7 back at 60,480, 230x140, restored, in its colour, with the keyboard"

# F4 makes a note while the control panel has the focus, as on a note.
xdotool windowactivate --sync "$panel"
sleep 0.3
[ "$(xdotool getactivewindow)" = "$panel" ] || fail "the control panel did not take the focus"
xdotool key F4
wait_notes 3
[ -f "$APP/quibnotes/quibnote0009.txt" ] || fail "the new note is not note 9: $(ls "$APP/quibnotes")"
type_into "panelnote" quibnote0009.txt "after F4 in the control panel"
pass "F4 in the control panel makes a note that takes the next keys"

# "Open Notes Folder in the File Manager" when the opener cannot open it: a message says so.
xdotool windowactivate --sync "$panel" key alt+f
sleep 0.5
xdotool key Down Down Down Return
box=$(wait_window '^Quib v2\.00c$')
[ "$(cat "$E2E_WORK/opened")" = "$APP/quibnotes" ] || fail "the opener was given $(cat "$E2E_WORK/opened")"
xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "window id # $(printf '0x%x' "$panel")$" ||
  fail "the message is not transient for the panel: $(xprop -id "$box" WM_TRANSIENT_FOR)"
xdotool windowactivate --sync "$box" key Return
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Quib v2\.00c\$' | grep -q ." || fail "the message stayed"
wait_for 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $panel ]" || fail "the panel is not active after the message"
pass "a notes folder the opener cannot open is told over the panel, which has the keyboard after"

# Unchecking "Start Quib when I log in" in the shown control panel removes the entry (the
# fifth box of the first tab).
window_geometry "$panel"
xdotool mousemove $((X + 60)) $((Y + 176)) click 1
wait_for 5 sh -c "! test -e '$entry'" || fail "unchecking the box left the entry"
stop_quib TERM
[ "$(ini_value bStartup)" = 0 ] && [ "$(ini_value bRandomColor)" = 1 ] || fail "another box was clicked"
pass "unchecking the box removes the entry"

# No tray when the program starts: the icon appears once a tray does.
kill "${E2E_PIDS[2]}"
wait_for 10 sh -c '! xdotool search --classname "^trayer$"' || fail "trayer did not end"
(cd "$APP" && exec ./quib >>"$E2E_WORK/quib.log" 2>&1) &
QUIB_PID=$!
sleep 2
quib_running || fail "the program ended without a tray"
trayer --edge bottom --align right --widthtype request --height 24 \
  --SetDockType true --SetPartialStrut true >>"$E2E_WORK/trayer.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 10 tray_icon_window || fail "the icon did not appear when the tray did"
stop_quib TERM
pass "the icon appears in a tray that starts after the program"
