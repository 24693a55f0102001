#!/bin/sh
# Runs the stages of a make target one after the other, each whatever became of the ones before
# (only a stage whose needed stage did not pass is not run), and ends with one summary of them all.
# Usage: stages.sh TITLE STAGE...
#   STAGE is "name|needed stage (or nothing)|shell command". A command passes with status 0, is
#   skipped with status 77 and fails with any other. It may write lines into the file named by
#   $STAGE_NOTES for the summary: "failed: ...", "skipped: ..." (a test it ran), or "SKIP: reason"
#   (why the stage itself was skipped).
# Exits 1 when any stage failed or did not run, else 0.
set -u
title=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
n=0
for stage in "$@"; do
  n=$((n + 1))
  name=${stage%%|*}
  rest=${stage#*|}
  needs=${rest%%|*}
  command=${rest#*|}
  echo "$name" >"$work/$n.name"
  notes="$work/$n.notes"
  : >"$notes"
  if [ -n "$needs" ] && ! grep -qx "$needs" "$work"/passed 2>/dev/null; then
    echo "not run" >"$work/$n.status"
    echo "\"$needs\" did not pass" >>"$notes"
    continue
  fi
  echo "== $title: $name"
  start=$(date +%s)
  STAGE_NOTES=$notes sh -c "$command"
  status=$?
  seconds=$(($(date +%s) - start))
  case $status in
    0) echo "passed" >"$work/$n.status"; echo "$name" >>"$work/passed" ;;
    77) echo "skipped" >"$work/$n.status" ;;
    *) echo "FAILED" >"$work/$n.status" ;;
  esac
  echo "$((seconds / 60))m$((seconds % 60))s" >"$work/$n.time"
done

echo
echo "== $title: summary"
failed=0
i=0
while [ "$i" -lt "$n" ]; do
  i=$((i + 1))
  status=$(cat "$work/$i.status")
  time=""
  [ -f "$work/$i.time" ] && time=" ($(cat "$work/$i.time"))"
  printf '  %-8s %s%s\n' "$status" "$(cat "$work/$i.name")" "$time"
  sed 's/^SKIP: */skipped: /; s/^/             /' "$work/$i.notes"
  case $status in passed | skipped) ;; *) failed=$((failed + 1)) ;; esac
done
if [ "$failed" -gt 0 ]; then
  echo "$title: $failed of $n stages failed or did not run"
  exit 1
fi
echo "$title: every stage passed or was skipped"
exit 0
