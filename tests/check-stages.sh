#!/bin/sh
# make test's stages (scripts/stages.sh): a failed stage does not stop the next ones, a stage
# whose needed stage failed is not run, and the summary and the status say so.
set -u
out=$("$(dirname "$0")/../scripts/stages.sh" "demo" \
  "first||echo 'failed: test_a' >>\"\$STAGE_NOTES\"; exit 3" \
  "second|first|echo ran second" \
  "third||echo 'SKIP: no browser' >>\"\$STAGE_NOTES\"; exit 77" \
  "fourth||echo ran fourth")
status=$?
fail() { echo "FAIL: $*"; echo "$out"; exit 1; }
[ "$status" -eq 1 ] || fail "status $status, not 1"
echo "$out" | grep -q "ran second" && fail "a stage ran after the stage it needs failed"
for line in "^ran fourth$" "^  FAILED   first" "^             failed: test_a$" "^  not run  second$" \
  "^             \"first\" did not pass$" "^  skipped  third" "^             skipped: no browser$" \
  "^  passed   fourth" "^demo: 2 of 4 stages failed or did not run$"; do
  echo "$out" | grep -q "$line" || fail "no line $line"
done
echo "stages checked"
