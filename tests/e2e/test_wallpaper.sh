#!/bin/bash
# The wallpaper a note takes its colour from, read back through the desktop seam after a real
# wallpaper setter (hsetroot) has published it on the root window.
source "$(dirname "$0")/lib.sh" "$1"

TESTS="$(dirname "$QUIB_BIN")/quib_notes_ui_tests"
[ -x "$TESTS" ] || fail "the window tests are not built: $TESTS"
command -v hsetroot >/dev/null || fail "hsetroot is not installed"
command -v convert >/dev/null || fail "ImageMagick's convert is not installed"

start_display 640x480

# run_check EXPECTATION: the X11 wallpaper test must run (not skip) and pass.
run_check() {
  local log="$E2E_WORK/check.log"
  if ! QT_QPA_PLATFORM=xcb QUIB_EXPECT_WALLPAPER="$1" QUIB_EXPECT_COMPOSITOR=0 \
      "$TESTS" --gtest_filter='QtDesktopX11.*' >"$log" 2>&1; then
    cat "$log"; fail "wallpaper check $1"
  fi
  grep -q '^\[  PASSED  \] 1 test' "$log" || { cat "$log"; fail "wallpaper check $1 did not run"; }
  pass "wallpaper $1"
}

hsetroot -solid '#336699' >/dev/null
xprop -root _XROOTPMAP_ID | grep -q 'pixmap id' || fail "hsetroot published no _XROOTPMAP_ID"
run_check 'solid:#336699'

# A picture red left of column 320 and blue from it on: the block must be read from the right
# place, not only in the right colour.
convert -size 320x480 xc:'#ff0000' -size 320x480 xc:'#0000ff' +append "$E2E_WORK/split.png"
hsetroot -fill "$E2E_WORK/split.png" >/dev/null
run_check 'split:320:#ff0000:#0000ff'
