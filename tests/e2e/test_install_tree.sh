#!/usr/bin/env bash
# Quib as an installed desktop program: `cmake --install` into a temporary prefix lays exactly the
# expected tree (program, launcher entry, icons at every size, metainfo, tray icons), the launcher
# and metainfo files pass the desktop's validators, the uninstall target removes the tree again,
# and the Debian package holds the same tree (after which the uninstall target refuses, since the
# build folder's manifest then names the package's files).
source "$(dirname "$0")/lib.sh" "$1"
build=$(dirname "$QUIB_BIN")
prefix="$E2E_WORK/prefix"
sizes="16 22 24 32 48 64 128 256"
tray_icons="quib_blue.ico quib_green.ico quib_pink.ico quib_yellow.ico"

expected_tree() {  # the files of an installed Quib, relative to the prefix, sorted
  {
    echo bin/quib
    echo share/applications/quib.desktop
    echo share/metainfo/com.example.brantel.quib.metainfo.xml
    echo share/doc/quib/copyright
    echo share/icons/hicolor/scalable/apps/quib.svg
    for n in $sizes; do echo "share/icons/hicolor/${n}x${n}/apps/quib.png"; done
    for f in $tray_icons; do echo "share/quib/tray_icons/$f"; done
  } | sort
}

cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 || { cat "$E2E_WORK/install.log"; fail "cmake --install"; }
diff <(expected_tree) <(cd "$prefix" && find . -type f -printf '%P\n' | sort) || fail "installed tree differs (< expected, > installed)"
[ -x "$prefix/bin/quib" ] || fail "bin/quib is not executable"
pass "cmake --install lays the expected tree"

for n in $sizes; do
  got=$(identify -format '%m %wx%h' "$prefix/share/icons/hicolor/${n}x${n}/apps/quib.png")
  [ "$got" = "PNG ${n}x${n}" ] || fail "icon for ${n}x${n} is $got"
done
"$build/quib_icons" check "$prefix"/share/quib/tray_icons/*.ico >/dev/null || fail "a tray icon does not load"
pass "icons have their sizes; tray icons load"

desktop-file-validate "$prefix/share/applications/quib.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=quib' "$prefix/share/applications/quib.desktop" || fail "launcher does not start quib"
# Pedantic: also a file name that does not match the id is a warning, and warnings fail.
appstreamcli validate-tree --pedantic --no-net "$prefix" >"$E2E_WORK/appstream.log" 2>&1 ||
  { cat "$E2E_WORK/appstream.log"; fail "appstreamcli validate-tree --pedantic"; }
grep -q '<launchable type="desktop-id">quib.desktop</launchable>' "$prefix/share/metainfo/com.example.brantel.quib.metainfo.xml" ||
  fail "metainfo does not name the launcher"
pass "launcher entry and metainfo are valid"

cmake --build "$build" --target uninstall >"$E2E_WORK/uninstall.log" 2>&1 || { cat "$E2E_WORK/uninstall.log"; fail "uninstall"; }
[ -z "$(find "$prefix" -type f)" ] || fail "uninstall left $(find "$prefix" -type f)"
[ ! -e "$prefix/share/quib" ] && [ ! -e "$prefix/share/doc/quib" ] || fail "uninstall left Quib's own folders"
pass "the uninstall target removes every installed file and Quib's own folders"

# The package is made in a folder of the test's own, so the build tree stays as it was.
(cd "$E2E_WORK" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$E2E_WORK/deb") >"$E2E_WORK/cpack.log" 2>&1 ||
  { cat "$E2E_WORK/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$E2E_WORK"/deb/quib_*_*.deb) || fail "no quib_<version>_<arch>.deb"
diff <(expected_tree | sed 's|^|usr/|') <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort) ||
  fail "the package's tree differs (< expected, > packaged)"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "package does not depend on Qt Widgets: $depends"
pass "$(basename "$deb") holds the same tree under /usr, depends on $depends"

# cpack left the build folder's manifest naming /usr/...: the uninstall target removes nothing.
if cmake --build "$build" --target uninstall >"$E2E_WORK/uninstall.log" 2>&1; then fail "uninstall after cpack ran"; fi
grep -q "Nothing removed" "$E2E_WORK/uninstall.log" || { cat "$E2E_WORK/uninstall.log"; fail "uninstall after cpack did not refuse"; }
pass "after cpack the uninstall target refuses and removes nothing"
