#!/bin/sh
# Runs a reference program and another command, and checks that they print the same lines.
# Usage: same-lines.sh REFERENCE COMMAND [ARGUMENT...]
# Exits 77 with a line "SKIP: ..." when COMMAND is node and node, or the emscripten that builds
# its script, is not installed.
set -eu
reference=$1
shift
skip() { echo "SKIP: $*"; exit 77; }
if [ "$1" = node ]; then
  command -v node >/dev/null 2>&1 || skip "node is not installed (make setup installs nodejs)"
  [ -f "$2" ] || command -v emcc >/dev/null 2>&1 || skip "emscripten is not installed (make setup installs emscripten)"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$reference" >"$work/reference"
"$@" >"$work/other"
if ! cmp -s "$work/reference" "$work/other"; then
  echo "FAIL: $* prints other lines than $reference:"
  diff "$work/reference" "$work/other" | head -20
  exit 1
fi
echo "$(wc -l <"$work/reference") lines, the same"
