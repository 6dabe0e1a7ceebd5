#!/usr/bin/env bash
# The monitors and their work areas as the program sees them, with two monitors side by side and
# a tray host docked at the bottom right.
source "$(dirname "$0")/lib.sh" "$1"
start_display 2560x1024
xrandr --setmonitor LEFT 1280/338x1024/270+0+0 screen >/dev/null
xrandr --setmonitor RIGHT 1280/338x1024/270+1280+0 none >/dev/null
tests=$(dirname "$QUIB_BIN")/quib_app_tests
QUIB_TWO_MONITORS=1 QT_QPA_PLATFORM=xcb "$tests" --gtest_filter='QtScreensOnX11.*' --gtest_brief=1 \
  >"$E2E_WORK/out.txt" 2>&1 || { cat "$E2E_WORK/out.txt"; fail "monitors or work areas wrong"; }
grep -q "1 test.* ran" "$E2E_WORK/out.txt" && ! grep -q SKIPPED "$E2E_WORK/out.txt" || { cat "$E2E_WORK/out.txt"; fail "the check did not run"; }
pass "two monitors, work area of the right one less the dock"
