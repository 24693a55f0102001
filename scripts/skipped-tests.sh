#!/bin/sh
# Run in a build folder after ctest: prints why each skipped test skipped (the "SKIP: ..." lines
# the tests print), which ctest itself shows only with -V, and exits with STATUS (ctest's own).
# Under scripts/stages.sh (STAGE_NOTES set) it also notes the failed and skipped tests for the
# summary at the end.
# Usage: skipped-tests.sh [STATUS]
status=${1:-0}
log=Testing/Temporary/LastTest.log
if [ -f "$log" ]; then
  reasons=$(awk '
    /^[0-9]+\/[0-9]+ Test: / { sub(/^[0-9]+\/[0-9]+ Test: /, ""); name = $0; next }
    /^SKIP:/ { sub(/^SKIP: */, ""); print "  " name ": " $0 }' "$log")
  if [ -n "$reasons" ]; then
    echo "Why the skipped tests were skipped:"
    echo "$reasons"
    [ -n "${STAGE_NOTES:-}" ] && echo "$reasons" | sed 's/^  /skipped: /' >>"$STAGE_NOTES"
  fi
fi
failed_log=Testing/Temporary/LastTestsFailed.log
if [ -n "${STAGE_NOTES:-}" ] && [ "$status" -ne 0 ] && [ -f "$failed_log" ]; then
  sed 's/^[0-9]*:/failed: /' "$failed_log" >>"$STAGE_NOTES"
fi
exit "$status"
