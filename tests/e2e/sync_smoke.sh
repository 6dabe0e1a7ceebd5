#!/usr/bin/env bash
# By hand, not a registered test: shows that sync_lib.sh gives two Syncthing instances that
# carry a file from one folder to the other within a few seconds, and that edits made on both
# sides while the link is down end in a conflict copy on both sides.
# Usage: bash tests/e2e/sync_smoke.sh
set -euo pipefail
SYNC_WORK=$(mktemp -d /tmp/quib-sync-XXXXXX)
source "$(dirname "$0")/sync_lib.sh"
trap 'status=$?; stop_sync_pair; [ $status -ne 0 ] && tail -n 20 "$SYNC_WORK"/st-*/log.txt; rm -rf "$SYNC_WORK"; exit $status' EXIT

A="$SYNC_WORK/a" B="$SYNC_WORK/b"
started=$SECONDS
start_sync_pair "$A" "$B"
echo "ok: two instances connected and idle after $((SECONDS - started)) s"

touch "$A/.quib.lock" "$A/.quibnotes.xml.tmp-AbC123"
start=$(date +%s%N)
printf 'typed on A\r\n' >"$A/quibnote0001.txt"
wait_for 30 grep -q 'typed on A' "$B/quibnote0001.txt" || fail "the file did not reach B"
echo "ok: a file written in A shows in B after $((($(date +%s%N) - start) / 1000000)) ms"
sync_wait_idle
[ ! -e "$B/.quib.lock" ] && [ ! -e "$B/.quibnotes.xml.tmp-AbC123" ] || fail "the program's own files were synced"

sync_wait_idle
sync_pause
printf 'A while apart\r\n' >"$A/quibnote0001.txt"
printf 'B while apart\r\n' >"$B/quibnote0001.txt"
sync_resume
sync_wait_idle
for side in "$A" "$B"; do
  copies=("$side"/quibnote0001.sync-conflict-*.txt)
  [ -e "${copies[0]}" ] || fail "no conflict copy in $side: $(ls -A "$side")"
  both=$(cat "$side/quibnote0001.txt" "${copies[@]}")
  [[ "$both" == *"A while apart"* && "$both" == *"B while apart"* ]] || fail "an edit is lost in $side: $both"
done
echo "ok: both edits are kept, one as $(basename "${copies[0]}"), on both sides"
