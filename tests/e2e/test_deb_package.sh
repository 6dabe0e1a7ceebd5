#!/usr/bin/env bash
# The Debian package as a user gets it: built with cpack, installed with dpkg -i, /usr/bin/quib
# started under a fresh HOME keeps its notes in that HOME's .local/share/quib and nothing in
# /usr, and the package removes cleanly.
source "$(dirname "$0")/lib.sh" "$1"
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 0
fi
if dpkg-query -W -f='${Status}' quib 2>/dev/null | grep -q "install ok installed"; then
  echo "SKIP: a quib package is installed on this machine already; it is left alone"
  exit 0
fi
build=$(dirname "$QUIB_BIN")
(cd "$E2E_WORK" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$E2E_WORK/deb") >"$E2E_WORK/cpack.log" 2>&1 ||
  { cat "$E2E_WORK/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$E2E_WORK"/deb/quib_*.deb)
dpkg -i "$deb" >"$E2E_WORK/dpkg.log" 2>&1 || { cat "$E2E_WORK/dpkg.log"; fail "dpkg -i $(basename "$deb")"; }
remove_package() { dpkg -r quib >/dev/null 2>&1 || true; }
trap 'remove_package; e2e_cleanup' EXIT
pass "dpkg -i $(basename "$deb")"

before=$(dpkg -L quib | sort | xargs -d '\n' ls -ld --time-style=+%s 2>/dev/null | md5sum)
export HOME="$E2E_WORK/home" USERNAME=tester
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
start_display 1280x800
run_program /usr/bin/quib
wait_notes 1
data="$HOME/.local/share/quib"
[ -f "$data/quibnotes/quibnote0001.txt" ] || fail "the welcome note is not in $data"
stop_quib TERM
[ -f "$data/quibnotes.xml" ] && [ -f "$data/quib.ini" ] || fail "the notes file and settings are not in $data"
[ ! -e /usr/bin/quibnotes ] && [ ! -e /usr/bin/quib.ini ] && [ ! -e /usr/bin/quibnotes.xml ] ||
  fail "the installed program wrote data beside itself"
[ "$(dpkg -L quib | sort | xargs -d '\n' ls -ld --time-style=+%s 2>/dev/null | md5sum)" = "$before" ] ||
  fail "the installed files changed"
pass "/usr/bin/quib keeps its notes in \$HOME/.local/share/quib"

dpkg -r quib >"$E2E_WORK/dpkg.log" 2>&1 || { cat "$E2E_WORK/dpkg.log"; fail "dpkg -r quib"; }
[ ! -e /usr/bin/quib ] || fail "/usr/bin/quib is still there after removal"
pass "dpkg -r quib removes it"
