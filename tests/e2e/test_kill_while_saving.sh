#!/usr/bin/env bash
# SIGKILL at random moments while a note of several megabytes and a notes file of 1024 records
# are being saved: every file afterwards holds either its old or its new content, never a mix,
# and the next start clears the temporary files a killed save left.
source "$(dirname "$0")/lib.sh" "$1"
start_display 1280x800
ROUNDS=${QUIB_KILL_ROUNDS:-20}

printf '[Strings]\r\nsIdentity=tester\r\n[Booleans]\r\nbSnapEdges=0\r\n' >"$APP/quib.ini"
mkdir -p "$APP/quibnotes"
{
  printf '<?xml version="1.0" encoding="ISO-8859-1" standalone="yes" ?>\r\n\r\n<quib>\r\n'
  for id in $(seq 1 1024); do
    printf '    <note id="%d" left="%d" top="%d" width="300" height="200" minimized="0" systemnote="0" chat="0" readonly="0" ontop="0" color="9300421" fontsize="8" fontcolor="0" fontname="MS Sans Serif" />\r\n' \
      "$id" $((100 + id % 500)) $((100 + id % 300))
  done
  printf '</quib>\r\n'
} >"$APP/quibnotes.xml"
# A note of six megabytes: only note 1 has a text file, so only it opens.
awk 'BEGIN { for (i = 0; i < 80000; i++) printf "%05d The quick brown fox jumps over the lazy dog, again and again.\r\n", i }' \
  >"$APP/quibnotes/quibnote0001.txt"
note_file="$APP/quibnotes/quibnote0001.txt"

# The new note text is the old one with an "x" typed at its end: the same bytes up to the old
# last line, ending in x CR LF.
note_ok() {
  cmp -s "$note_file" "$E2E_WORK/old.txt" && return 0
  local old new
  old=$(stat -c %s "$E2E_WORK/old.txt"); new=$(stat -c %s "$note_file")
  [ "$new" -gt "$old" ] && [ "$new" -le $((old + 3)) ] || return 1
  [ "$(tail -c 3 "$note_file" | od -An -c | tr -d ' ')" = 'x\r\n' ] || return 1
  cmp -s -n $((old - 2)) "$note_file" "$E2E_WORK/old.txt"
}
# The new notes file differs from the old one in note 1's line only, and is whole.
notes_ok() {
  cmp -s "$APP/quibnotes.xml" "$E2E_WORK/old.xml" && return 0
  tail -c 9 "$APP/quibnotes.xml" | cmp -s - <(printf '</quib>\r\n') || return 1
  [ "$(grep -c '<note ' "$APP/quibnotes.xml")" -eq 1024 ] || return 1
  local changed
  changed=$(diff "$E2E_WORK/old.xml" "$APP/quibnotes.xml" | grep '^[<>]' | grep -vc '<note id="1" ' || true)
  [ "$changed" -eq 0 ]
}

old_or_new=0 new=0 midwrite=0
for round in $(seq 1 "$ROUNDS"); do
  cp "$note_file" "$E2E_WORK/old.txt"
  cp "$APP/quibnotes.xml" "$E2E_WORK/old.xml"
  start_quib
  wait_notes 1 30
  ls -A "$APP" "$APP/quibnotes" | grep -q 'tmp-' && fail "round $round: temporary files survived the start"
  read -r w x y _ _ < <(list_notes)
  xdotool mousemove $((x + 150)) $((y + 100)) click 1
  sleep 0.2
  xdotool key ctrl+End
  sleep 0.3
  xdotool type x
  xdotool windowmove "$w" $((x + round)) "$y"
  # The autosave starts three seconds after the last change and takes a few tens of
  # milliseconds here: kill at random around it.
  sleep "$(awk -v r="$RANDOM" 'BEGIN { printf "%.3f", 3.0 + (r % 400) / 1000 }')"
  stop_quib KILL
  ls -A "$APP" "$APP/quibnotes" | grep -q 'tmp-' && midwrite=$((midwrite + 1))
  note_ok || fail "round $round: the note's text file is neither the old nor the new text"
  notes_ok || fail "round $round: the notes file is neither the old nor the new one"
  cmp -s "$note_file" "$E2E_WORK/old.txt" || new=$((new + 1))
  old_or_new=$((old_or_new + 1))
done
pass "$old_or_new kills while saving, every file old or new ($new ended with the new text, $midwrite killed mid-write)"
