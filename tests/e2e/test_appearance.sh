#!/usr/bin/env bash
# The Appearance tab from the real control panel, by the mouse: "Darker" darkens every note by 5
# per channel, on screen at once and in the notes file after the autosave; "Apply Gradient Color
# to All Notes" then spreads the ends taken when the tab was entered, not the darkened colours;
# ends the user picked outlive a double-click on the tray icon. Then the notes list: a
# double-click or Enter on an entry brings its note back with the keyboard.
source "$(dirname "$0")/lib.sh" "$1"
command -v convert >/dev/null || fail "ImageMagick's convert is not installed"
start_display 1280x800

crlf() { sed 's/$/\r/'; }
rgb() { echo $(($1 + $2 * 256 + $3 * 65536)); }
# The colour of a screen pixel as ImageMagick names it: srgb(r,g,b); and as "r g b".
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
rgb_at() { convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:; }
stored_color() { grep -a "<note id=\"$1\" " "$APP/quibnotes.xml" | sed -n 's/.* color="\([0-9]*\)".*/\1/p'; }

# Three notes along the bottom of the screen, away from the control panel, each in a colour
# whose channels stay above the strip's darkening, so every step shows on every channel.
# The first and last differ by odd amounts in two channels, so the middle note's share of the
# gradient lands halfway: 181.5 and 150.5 round to the even 182 and 150.
COLORS=("200 120 80" "90 180 140" "163 160 221")
LEFTS=(100 450 800)
printf '[Strings]\nsIdentity=tester\n' | crlf >"$APP/quib.ini"
mkdir -p "$APP/quibnotes"
{
  echo '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>'
  echo ''
  echo '<quib>'
  for i in 0 1 2; do
    id=$((i + 1))
    # shellcheck disable=SC2086
    echo "    <note id=\"$id\" left=\"${LEFTS[$i]}\" top=\"560\" width=\"240\" height=\"150\" minimized=\"0\" systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"0\" color=\"$(rgb ${COLORS[$i]})\" fontsize=\"8\" fontcolor=\"0\" fontname=\"MS Sans Serif\" />"
    echo "note $id" | crlf >"$APP/quibnotes/quibnote000$id.txt"
  done
  echo '</quib>'
} | crlf >"$APP/quibnotes.xml"

QT_USE_NATIVE_WINDOWS=1 start_quib
# A pixel inside each note's title strip, right of its centred title: the frame colour, which is
# the note's colour darkened by 50.
strip_pixels() {
  local i out=""
  for i in 0 1 2; do out+="$(pixel "$1" $((LEFTS[i] + 225)) 568) "; done
  echo "$out"
}
expected_strips() {
  local i r g b out=""
  for i in 0 1 2; do
    read -r r g b <<<"${COLORS[$i]}"
    out+="srgb($((r - $1)),$((g - $1)),$((b - $1))) "
  done
  echo "$out"
}
# True once the screen shows every strip darkened by $1 from its note's colour.
strips_show() {
  shot "$E2E_WORK/strips.png"
  [ "$(strip_pixels "$E2E_WORK/strips.png")" = "$(expected_strips "$1")" ]
}
wait_for 15 strips_show 50 ||
  fail "strips before: $(strip_pixels "$E2E_WORK/strips.png"), expected $(expected_strips 50)"
pass "three stored notes shown with their strips in their frame colours"

# F2 in the first note shows the control panel; its Appearance tab, by the mouse. Every widget
# of the program is its own X window in this run, so the test finds the tab bar and the buttons
# by their geometry, whatever the font has made of their sizes.
xdotool mousemove $((LEFTS[0] + 120)) 640 click 1
sleep 0.3
xdotool key F2
panel=$(wait_window '^Quib v2\.00c ')
sleep 0.5
window_geometry "$panel"
[ $((Y + H)) -lt 560 ] || fail "the control panel covers the notes: $X,$Y ${W}x$H"
# Prints "x y w h" (on the screen) of every widget window now shown in the control panel.
shown_widgets() {
  local w
  for w in $(xwininfo -tree -id "$panel" | grep -o '^ *0x[0-9a-f]*'); do
    xwininfo -id "$w" | grep -q 'Map State: IsViewable' || continue
    window_geometry "$w"
    echo "$X $Y $W $H"
  done
}
# The tab bar starts where the tab widget starts and is the shorter of the two; its last tab is
# "Appearance".
read -r tx ty tw th < <(shown_widgets | sort -k1,1n -k2,2n -k4,4nr | awk '
  $1 == x && $2 == y && $4 < h && $4 <= 40 { print; exit } { x = $1; y = $2; h = $4 }') ||
  fail "no tab bar in the control panel"
xdotool mousemove $((tx + tw - 15)) $((ty + th / 2)) click 1
sleep 0.5
# The Colors group is the one row of three buttons side by side: Darker is the middle one.
read -r dx dy dw dh < <(shown_widgets | awk '{ n[$2 " " $4]++; row[$2 " " $4] = row[$2 " " $4] $0 "\n" }
  END { for (k in n) if (n[k] == 3) printf "%s", row[k] }' | sort -n | sed -n 2p) ||
  fail "no row of three buttons on the Appearance tab: $(shown_widgets)"
xdotool mousemove $((dx + dw / 2)) $((dy + dh / 2)) click 1
pass "Darker pressed on the Appearance tab"

wait_for 5 strips_show 55 ||
  fail "strips after Darker: $(strip_pixels "$E2E_WORK/strips.png"), expected $(expected_strips 55)"
pass "every strip on screen is 5 darker per channel"

# True once the notes file holds the colours "r g b" given, for notes 1, 2 and 3 in turn.
stored_are() {
  local i
  for i in 1 2 3; do [ "$(stored_color "$i")" = "$(rgb ${!i})" ] || return 1; done
}
stored_now() { echo "$(stored_color 1) $(stored_color 2) $(stored_color 3)"; }
darker=()
for c in "${COLORS[@]}"; do read -r r g b <<<"$c"; darker+=("$((r - 5)) $((g - 5)) $((b - 5))"); done
wait_for 8 stored_are "${darker[@]}" || fail "stored colours after the autosave: $(stored_now)"
quib_running || fail "program ended"
pass "the autosave stored every note's colour 5 darker per channel"

# The gradient's row of buttons is the first one under the bar, which is the one widget as high
# as the bar's sunken panel holds (37 less its frame): Apply at the left, Random Gradient at the
# right. Sets BX BY BW (the bar) and AX AY, RX RY (the buttons' centres).
find_gradient() {
  local widgets; widgets=$(shown_widgets)
  read -r BX BY BW _ < <(awk '$4 == 35 && $3 > 200' <<<"$widgets") || fail "no gradient bar: $widgets"
  read -r AX AY RX RY < <(awk -v top="$BY" -v h="$dh" '$2 > top && $4 == h' <<<"$widgets" | sort -k2,2n -k1,1n |
    awk 'NR == 1 { y = $2; ax = $1 + $3 / 2; ay = $2 + $4 / 2 } $2 == y { rx = $1 + $3 / 2; ry = $2 + $4 / 2 }
      END { if (ax) print ax, ay, rx, ry }') || fail "no Apply button under the bar: $widgets"
}
find_gradient
xdotool mousemove "$AX" "$AY" click 1
mean=$(awk -v a="${COLORS[0]}" -v b="${COLORS[2]}" 'function even(x) { f = int(x); return (x - f == 0.5) ? f + f % 2 : int(x + 0.5) }
  BEGIN { split(a, p, " "); split(b, q, " "); for (i = 1; i <= 3; i++) printf "%d ", even((p[i] + q[i]) / 2) }')
# shellcheck disable=SC2086
wait_for 8 stored_are "${COLORS[0]}" "${mean% }" "${COLORS[2]}" ||
  fail "after Apply: $(stored_now), expected the ends on entry $(rgb ${COLORS[0]}) $(rgb ${COLORS[2]}) and $(rgb $mean) between"
pass "Apply after Darker gives the first and last notes their colours on entry, the middle one the mean ($mean)"

# Ends of the user's own (the tab's Random Gradient) survive a double-click on the tray icon
# while the panel is shown: Apply then paints them, the bar's first column being the left end
# and its last one step short of the right end.
bar_ends() {
  shot "$E2E_WORK/bar.png"
  echo "$(rgb_at "$E2E_WORK/bar.png" "$BX" $((BY + 17))) $(rgb_at "$E2E_WORK/bar.png" $((BX + BW - 1)) $((BY + 17)))"
}
entry=$(bar_ends)
xdotool mousemove "$RX" "$RY" click 1
sleep 0.5
picked=$(bar_ends)
[ "$picked" != "$entry" ] || fail "Random Gradient left the bar as it was: $picked"
double_click_tray
sleep 1
find_gradient
[ "$(bar_ends)" = "$picked" ] || fail "the tray's double-click reset the picked ends: $picked, now $(bar_ends)"
xdotool mousemove "$AX" "$AY" click 1
read -r lr lg lb rr rg rb <<<"$picked"
near() { [ $(($1 - $2)) -le 1 ] && [ $(($2 - $1)) -le 1 ]; }
applied_picked() {
  [ "$(stored_color 1)" = "$(rgb "$lr" "$lg" "$lb")" ] || return 1
  local c; c=$(stored_color 3)
  near $((c & 255)) "$rr" && near $((c >> 8 & 255)) "$rg" && near $((c >> 16)) "$rb"
}
wait_for 8 applied_picked || fail "after Apply with the picked ends ($picked): $(stored_now)"
pass "picked ends kept over a double-click on the tray icon and applied ($picked)"

# The notes list, on the tab before Appearance: Minimize from an entry's popup, then a
# double-click on the entry restores the note and gives it the keyboard; Enter on another entry
# does the same.
# The list is the one narrow, tall widget; the tab's place is found by trying leftwards along
# the tab bar.
notes_list() { shown_widgets | awk -v top=$((ty + th)) '$2 > top && $3 < 150 && $4 > 100' | sort -k1,1n | head -n 1 | grep .; }
for ((x = tx + tw - 60; x > tx; x -= 30)); do
  xdotool mousemove "$x" $((ty + th / 2)) click 1
  sleep 0.3
  notes_list >/dev/null && break
done
read -r lx ly _ < <(notes_list) || fail "no notes list: $(shown_widgets)"
first_note=$(list_notes | awk -v x="${LEFTS[0]}" '$2 == x { print $1 }')
[ -n "$first_note" ] || fail "note 1 not found: $(list_notes)"
note_height() { xwininfo -id "$1" | sed -n 's/.*Height: *//p'; }
height_below() { [ "$(note_height "$first_note")" -lt "$1" ]; }
height_of() { [ "$(note_height "$first_note")" -eq "$1" ]; }
xdotool mousemove $((lx + 20)) $((ly + 8)) click 3
sleep 0.5
xdotool key Down Return
wait_for 5 height_below 30 || fail "Minimize from the list left note 1 $(note_height "$first_note") high"
xdotool mousemove $((lx + 20)) $((ly + 8)) click --repeat 2 --delay 80 1
wait_for 5 height_of 150 || fail "a double-click on its entry did not restore note 1: $(note_height "$first_note") high"
sleep 0.3
xdotool type --delay 30 "plugh"
xdotool mousemove $((lx + 20)) $((ly + 8 + 16)) click 1
sleep 0.3
xdotool key Return
sleep 0.3
xdotool type --delay 30 "xyzzy"
note_file() { echo "$APP/quibnotes/quibnote000$1.txt"; }
wait_for 8 grep -q plugh "$(note_file 1)" || fail "typed after the double-click, not in note 1: $(cat "$(note_file 1)")"
wait_for 8 grep -q xyzzy "$(note_file 2)" || fail "typed after Enter, not in note 2: $(cat "$(note_file 2)")"
[ "$(cat "$APP"/quibnotes/quibnote*.txt | grep -c 'plugh\|xyzzy')" = 2 ] || fail "a word landed twice: $(grep -l 'plugh\|xyzzy' "$APP"/quibnotes/*)"
pass "a double-click and Enter on the notes list's entries give their notes the keyboard"
quib_running || fail "program ended"
stop_quib TERM
