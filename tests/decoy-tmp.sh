#!/bin/sh
# Runs test programs as on a machine shared with other users: $TMPDIR already holds, under every
# name the tests once wrote to or expected to be absent, something this user cannot write (a
# folder, which not even root can open as a file). Each program must pass and leave nothing behind.
# Usage: decoy-tmp.sh FOLDER PROGRAM...
set -eu
tmp=$1
shift
decoys="quorvane-linear.txt quorvane-short.txt quorvane-cliff.txt quorvane-no-table.txt quorvane-edited.txt
quorvane-test-table.txt quorvane-no-such-table.txt"
rm -rf "$tmp"
mkdir -p "$tmp"
for name in $decoys; do mkdir -m 0555 "$tmp/$name"; done
for program in "$@"; do
  TMPDIR=$tmp "$program" || { echo "FAIL: $program with files of other users in TMPDIR" >&2; exit 1; }
done
left=$(ls -A "$tmp" | grep -vxF "$(printf '%s\n' $decoys)" || true)
[ -z "$left" ] || { echo "FAIL: left behind in TMPDIR: $left" >&2; exit 1; }
rm -rf "$tmp"
echo "passed with files of other users in TMPDIR"
