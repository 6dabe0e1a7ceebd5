#!/usr/bin/env bash
# Quib on a StatusNotifierItem tray, the kind Plasma, GNOME's AppIndicator extension and the Xfce
# panel host over D-Bus: under the Xfce panel's status tray the item exports the tray menu, a
# command chosen through the menu's D-Bus interface runs, activating the item (its left click)
# shows the hidden control panel, a menu asked for at a point opens there, and the control
# panel does not show itself at start as it does without a tray.
source "$(dirname "$0")/lib.sh" "$1"
for tool in xfce4-panel dbus-launch gdbus; do
  command -v $tool >/dev/null || fail "$tool is not installed (scripts/install-deps)"
done
export XDG_CONFIG_HOME="$E2E_WORK/config" NO_AT_BRIDGE=1
channel="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
mkdir -p "$channel"
# One panel along the bottom edge holding the status tray and nothing else.
cat >"$channel/xfce4-panel.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=640;y=788"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="24"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
EOF
# The services the bus starts (the panel's settings store) take the bus's environment, so the
# bus starts after XDG_CONFIG_HOME is set.
eval "$(dbus-launch --sh-syntax)"
E2E_PIDS+=("$DBUS_SESSION_BUS_PID")
E2E_NO_TRAY=1 start_display 1280x800
xfce4-panel --disable-wm-check >"$E2E_WORK/panel.log" 2>&1 &
E2E_PIDS+=($!)
watcher() {
  gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher "$1"
}
host_registered() { watcher IsStatusNotifierHostRegistered | grep -q true; }
wait_for 20 host_registered || fail "the Xfce panel registered no StatusNotifierItem host"

# A first start: the welcome note shows; the item registers with the panel's watcher.
started=$SECONDS
E2E_NO_TRAY=1 start_quib
item_registered() { watcher RegisteredStatusNotifierItems | grep -q "/StatusNotifierItem"; }
wait_for 10 item_registered || fail "no StatusNotifierItem registered: $(watcher RegisteredStatusNotifierItems)"
item=$(watcher RegisteredStatusNotifierItems | grep -o "'[^']*/StatusNotifierItem'" | tr -d "'" | head -n1)
service=${item%%/*} path=/${item#*/}
sni() { gdbus call --session -d "$service" -o "$path" -m "org.kde.StatusNotifierItem.$1" "${@:2}" >/dev/null; }
menu=$(gdbus call --session -d "$service" -o "$path" -m org.freedesktop.DBus.Properties.Get \
  org.kde.StatusNotifierItem Menu | sed -n "s/.*objectpath '\([^']*\)'.*/\1/p")
[ -n "$menu" ] && [ "$menu" != /NO_DBUSMENU ] || fail "the item exports no menu (Menu=$menu)"
pass "the item $service$path exports its menu at $menu"

# The layout lists the tray menu's items in order, as "id label" ("-" for a separator), the
# hidden and disabled ones marked; the host draws _ as the underlined letter.
layout() {
  gdbus call --session -d "$service" -o "$menu" -m com.canonical.dbusmenu.GetLayout 0 'int32 -1' '[]' |
    grep -o "<([0-9]*, {[^}]*}" | while read -r entry; do
    id=$(sed -n 's/^<(\([0-9]*\),.*/\1/p' <<<"$entry")
    label=$(sed -n "s/.*'label': <'\([^']*\)'>.*/\1/p" <<<"$entry")
    grep -q "'type': <'separator'>" <<<"$entry" && label=-
    grep -q "'visible': <false>" <<<"$entry" && label="$label (hidden)"
    grep -q "'enabled': <false>" <<<"$entry" && ! grep -q "(hidden)" <<<"$label" && label="$label (disabled)"
    echo "$id $label"
  done
}
expected='Quib v2.00c (disabled)
-
Show _Control Panel\tF2
Choose Tray _Icon...
-
Create Quib-_Note
Create Quib-_Chat (hidden)
_Save Configuration now!
-
E_xit Application'
[ "$(layout | cut -d' ' -f2-)" = "$expected" ] || fail "the exported menu is
$(layout)"
pass "GetLayout lists the tray menu's items"

# With a tray that shows the menu the control panel stays hidden, unlike on a desktop without one.
while [ $((SECONDS - started)) -lt 5 ]; do sleep 0.5; done
panel_name='^Quib v2\.00c \(C\)'
[ -z "$(find_windows "$panel_name")" ] || fail "the control panel showed itself although the tray works"
pass "the control panel stays hidden at start"

# "Create Quib-Note" chosen in the host's menu: its "clicked" event makes a note.
create=$(layout | grep ' Create Quib-_Note$' | cut -d' ' -f1)
gdbus call --session -d "$service" -o "$menu" -m com.canonical.dbusmenu.Event "$create" clicked '<0>' 0 >/dev/null
wait_notes 2
wait_for 5 test -f "$APP/quibnotes/quibnote0002.txt" || fail "no text file for the new note"
# It comes up active, and the next keys go into it.
read -r made _ < <(list_notes | grep ' 128 128$')
wait_for 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $made ]" || fail "the new note is not active"
xdotool type --delay 20 "from the host's menu"
wait_for 8 grep -q "from the host's menu" "$APP/quibnotes/quibnote0002.txt" || fail "the typing did not reach note 2"
pass "Event clicked on Create Quib-Note makes note 2, which takes the next keys"

# Activating the item (the host's left click) shows the hidden control panel; hidden again,
# the next activation shows it again.
for round in 1 2; do
  sni Activate 0 0
  panel=$(wait_window "$panel_name")
  wait_for 5 on_all_desktops "$panel" || fail "the shown panel is not on every workspace"
  wait_for 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $panel ]" || fail "the shown panel does not have the keyboard"
  xdotool key alt+F4
  wait_for 5 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '$panel_name')\" ]" || fail "alt+F4 did not hide the panel"
done
pass "activating the item shows the hidden control panel on every workspace, every time"

# A host that does not draw menus asks for it at a point: the menu opens there.
popup() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^quib$' 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' || continue
    window_geometry "$w"
    [ "$W" -gt 60 ] && { echo "$w"; return 0; }
  done
  return 1
}
# Once the window manager has moved the focus on from the hidden panel: a focus that leaves the
# program closes its open menu.
sleep 1
sni ContextMenu 300 200
wait_for 5 popup || fail "no menu after ContextMenu"
window_geometry "$(popup)"
[ "$X" -eq 300 ] && [ "$Y" -eq 200 ] || fail "the menu opened at $X,$Y, not at 300,200"
xdotool key Escape
no_popup() { ! popup; }
wait_for 5 no_popup || fail "the menu stayed open"
quib_running || fail "the program ended"
stop_quib TERM
pass "ContextMenu 300 200 opens the menu at 300,200"
