#!/bin/bash
# Runs one libFuzzer target for a while on a copy of its corpus, so the repository's corpus
# is never changed. Exits non-zero when the fuzzer finds a crash, leak, timeout or memory blow-up.
# Usage: run-fuzzer.sh <fuzzer binary> <corpus folder> <seconds>
set -u
if [ $# -ne 3 ]; then
  echo "usage: $0 <fuzzer binary> <corpus folder> <seconds>" >&2
  exit 2
fi
binary=$1 corpus=$2 seconds=$3
[ -x "$binary" ] || { echo "not an executable: $binary" >&2; exit 2; }
[ -d "$corpus" ] || { echo "not a folder: $corpus" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quib-fuzz-XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/artifacts"
cp -R "$corpus"/. "$work/corpus/"

"$binary" "$work/corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$work/log" 2>&1
rc=$?
found=$(ls -A "$work/artifacts")
if [ $rc -ne 0 ] || [ -n "$found" ]; then
  tail -n 60 "$work/log" >&2
  for f in "$work/artifacts"/*; do
    [ -f "$f" ] || continue
    echo "--- $(basename "$f") (base64):" >&2
    base64 "$f" | head -c 4000 >&2
    echo >&2
  done
  echo "fuzzer found a problem (exit code $rc)" >&2
  exit 1
fi
grep -E "^stat::(number_of_executed_units|peak_rss_mb)|Done [0-9]+ runs" "$work/log"
exit 0
