#!/usr/bin/env bash
# The Appearance tab from the real control panel: "Darker" pressed with the mouse darkens every
# note by 5 per channel, on screen at once and in the notes file after the autosave.
source "$(dirname "$0")/lib.sh" "$1"
command -v convert >/dev/null || fail "ImageMagick's convert is not installed"
start_display 1280x800

crlf() { sed 's/$/\r/'; }
rgb() { echo $(($1 + $2 * 256 + $3 * 65536)); }
# The colour of a screen pixel as ImageMagick names it: srgb(r,g,b).
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
stored_color() { grep -a "<note id=\"$1\" " "$APP/quibnotes.xml" | sed -n 's/.* color="\([0-9]*\)".*/\1/p'; }

# Three notes along the bottom of the screen, away from the control panel, each in a colour
# whose channels stay above the strip's darkening, so every step shows on every channel.
COLORS=("200 120 80" "90 180 140" "160 160 220")
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

# The control panel and its Appearance tab, by the mouse. Every widget of the program is its own
# X window in this run, so the test finds the tab bar and the buttons by their geometry, whatever
# the font has made of their sizes.
double_click_tray
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

expected_stored() {
  local i r g b
  for i in 0 1 2; do
    read -r r g b <<<"${COLORS[$i]}"
    [ "$(stored_color $((i + 1)))" = "$(rgb $((r - 5)) $((g - 5)) $((b - 5)))" ] || return 1
  done
}
wait_for 8 expected_stored || fail "stored colours after the autosave: $(stored_color 1) $(stored_color 2) $(stored_color 3)"
quib_running || fail "program ended"
pass "the autosave stored every note's colour 5 darker per channel"
stop_quib TERM
