# Two Syncthing instances on loopback that share one folder between two computers' data
# folders, for the end-to-end tests of notes in a synced folder.
# Usage: source it after lib.sh (its instances then stop with the test's other programs), or on
# its own (then call stop_sync_pair when done).
#   start_sync_pair DIR_A DIR_B   both instances up, connected, the folder idle on both sides
#   sync_pause / sync_resume      take the link down and bring it back (REST API, both sides)
#   sync_wait_idle [SECONDS]      until each side has everything the other has
#   sync_rest a|b METHOD PATH     one REST call; prints the answer
#   stop_sync_pair                shuts both down
# Each side's Syncthing home is $SYNC_WORK/st-a and st-b (log in log.txt there); the shared
# folder's id is $SYNC_FOLDER. Neither side announces itself, uses relays, reports usage or
# looks for upgrades: nothing leaves 127.0.0.1.

if ! declare -F fail >/dev/null; then
  fail() { echo "FAIL: $*" >&2; exit 1; }
fi
if ! declare -F wait_for >/dev/null; then
  wait_for() {
    local seconds=$1; shift
    local end=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
      [ $SECONDS -ge $end ] && return 1
      sleep 0.1
    done
  }
fi

SYNC_WORK=${SYNC_WORK:-${E2E_WORK:-$(mktemp -d /tmp/quib-sync-XXXXXX)}}
SYNC_FOLDER=quib
# The program's own files, which never need syncing: its lock and its temporary files.
SYNC_IGNORE_LINES=${SYNC_IGNORE_LINES:-$'.quib.lock\n.*.tmp-*'}
declare -A SYNC_HOME SYNC_GUI SYNC_ID SYNC_PORT SYNC_PID SYNC_DIR
SYNC_KEY=""
SYNC_TAKEN_PORTS=" "

# A TCP port on 127.0.0.1 that nothing listens on and that this pair has not taken yet (set in
# SYNC_NEW_PORT, so the choice is remembered in this shell).
sync_free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 40000))
    [[ "$SYNC_TAKEN_PORTS" == *" $port "* ]] && continue
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    SYNC_TAKEN_PORTS+="$port "
    SYNC_NEW_PORT=$port
    return
  done
}

# True when the process has ended (a child not yet waited for is a zombie and counts as ended).
sync_ended() { [ ! -e "/proc/$1" ] || grep -q '^[0-9]* (.*) Z' "/proc/$1/stat"; }

sync_rest() {
  local side=$1 method=$2 path=$3
  curl -sf --max-time 60 -X "$method" -H "X-API-Key: $SYNC_KEY" "http://${SYNC_GUI[$side]}$path"
}

sync_peer() { [ "$1" = a ] && echo b || echo a; }

# sync_config SIDE: the whole config.xml of one side.
sync_config() {
  local side=$1 peer
  peer=$(sync_peer "$1")
  cat <<EOF
<configuration version="36">
    <folder id="$SYNC_FOLDER" label="$SYNC_FOLDER" path="${SYNC_DIR[$side]}" type="sendreceive" rescanIntervalS="3600" fsWatcherEnabled="true" fsWatcherDelayS="1" ignorePerms="false" autoNormalize="true">
        <filesystemType>basic</filesystemType>
        <device id="${SYNC_ID[$side]}"></device>
        <device id="${SYNC_ID[$peer]}"></device>
        <markerName>.stfolder</markerName>
        <maxConflicts>-1</maxConflicts>
    </folder>
    <device id="${SYNC_ID[$side]}" name="$side" compression="metadata">
        <address>dynamic</address>
    </device>
    <device id="${SYNC_ID[$peer]}" name="$peer" compression="metadata">
        <address>tcp://127.0.0.1:${SYNC_PORT[$peer]}</address>
    </device>
    <gui enabled="true" tls="false">
        <address>${SYNC_GUI[$side]}</address>
        <apikey>$SYNC_KEY</apikey>
    </gui>
    <options>
        <listenAddress>tcp://127.0.0.1:${SYNC_PORT[$side]}</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <crashReportingEnabled>false</crashReportingEnabled>
        <startBrowser>false</startBrowser>
        <reconnectionIntervalS>2</reconnectionIntervalS>
    </options>
</configuration>
EOF
}

sync_connected() {
  local side=$1 peer
  peer=$(sync_peer "$1")
  [ "$(sync_rest "$side" GET /rest/system/connections | jq -r --arg id "${SYNC_ID[$peer]}" '.connections[$id].connected')" = "$2" ]
}

# True when this side has scanned, needs nothing and knows the other side needs nothing.
sync_side_idle() {
  local side=$1 peer status completion
  peer=$(sync_peer "$1")
  status=$(sync_rest "$side" GET "/rest/db/status?folder=$SYNC_FOLDER") || return 1
  completion=$(sync_rest "$side" GET "/rest/db/completion?folder=$SYNC_FOLDER&device=${SYNC_ID[$peer]}") || return 1
  jq -e '.state == "idle" and .needTotalItems == 0' <<<"$status" >/dev/null &&
    jq -e '.completion == 100 and .needItems == 0 and .needDeletes == 0' <<<"$completion" >/dev/null
}

sync_both_idle() { sync_side_idle a && sync_side_idle b; }

# What was written on either side counts as changed there now, not after the watcher's delay.
sync_scan() {
  local side
  for side in a b; do sync_rest "$side" POST "/rest/db/scan?folder=$SYNC_FOLDER" >/dev/null; done
}

sync_wait_idle() {
  sync_scan || fail "Syncthing did not scan the shared folder"
  wait_for "${1:-30}" sync_both_idle || fail "the shared folder did not settle (see $SYNC_WORK/st-*/log.txt)"
}

start_sync_pair() {
  command -v syncthing >/dev/null || fail "syncthing is not installed (scripts/install-deps)"
  SYNC_DIR[a]=$(readlink -f "$1")
  SYNC_DIR[b]=$(readlink -f "$2")
  SYNC_KEY=$(head -c 18 /dev/urandom | base64 | tr -d '/+=')
  local side
  for side in a b; do
    SYNC_HOME[$side]="$SYNC_WORK/st-$side"
    mkdir -p "${SYNC_HOME[$side]}" "${SYNC_DIR[$side]}/.stfolder"
    printf '%s\n' "$SYNC_IGNORE_LINES" >"${SYNC_DIR[$side]}/.stignore"
    SYNC_ID[$side]=$(syncthing generate --home="${SYNC_HOME[$side]}" --no-default-folder --skip-port-probing 2>&1 |
      sed -n 's/.*Device ID: *//p')
    [ -n "${SYNC_ID[$side]}" ] || fail "syncthing generate gave no device id"
    sync_free_port
    SYNC_PORT[$side]=$SYNC_NEW_PORT
    sync_free_port
    SYNC_GUI[$side]=127.0.0.1:$SYNC_NEW_PORT
  done
  for side in a b; do
    sync_config "$side" >"${SYNC_HOME[$side]}/config.xml"
    STNOUPGRADE=1 syncthing serve --home="${SYNC_HOME[$side]}" --no-browser --no-restart --no-upgrade \
      --no-default-folder --skip-port-probing --logfile="${SYNC_HOME[$side]}/log.txt" \
      >"${SYNC_HOME[$side]}/out.txt" 2>&1 &
    SYNC_PID[$side]=$!
    if declare -p E2E_PIDS >/dev/null 2>&1; then E2E_PIDS+=("${SYNC_PID[$side]}"); fi
  done
  for side in a b; do
    wait_for 30 sync_rest "$side" GET /rest/system/ping || fail "Syncthing $side did not start (${SYNC_HOME[$side]})"
  done
  wait_for 30 sync_connected a true || fail "the two Syncthing instances did not connect"
  sync_wait_idle 30
}

sync_pause() {
  local side
  for side in a b; do
    sync_rest "$side" POST "/rest/system/pause?device=${SYNC_ID[$(sync_peer $side)]}" >/dev/null ||
      fail "Syncthing $side did not pause the link"
  done
  wait_for 20 sync_connected a false && wait_for 20 sync_connected b false || fail "the link stayed up"
}

# Scans both sides first, so each side's edits made during the pause are its own changes.
sync_resume() {
  local side
  sync_scan || fail "Syncthing did not scan the shared folder"
  for side in a b; do
    sync_rest "$side" POST "/rest/system/resume?device=${SYNC_ID[$(sync_peer $side)]}" >/dev/null ||
      fail "Syncthing $side did not resume the link"
  done
  wait_for 30 sync_connected a true || fail "the link did not come back"
}

stop_sync_pair() {
  local side
  for side in a b; do
    [ -n "${SYNC_PID[$side]:-}" ] || continue
    sync_rest "$side" POST /rest/system/shutdown >/dev/null 2>&1 || true
  done
  for side in a b; do
    [ -n "${SYNC_PID[$side]:-}" ] || continue
    wait_for 10 sync_ended "${SYNC_PID[$side]}" || kill -KILL "${SYNC_PID[$side]}" 2>/dev/null || true
    wait "${SYNC_PID[$side]}" 2>/dev/null || true
    SYNC_PID[$side]=""
  done
}
