#!/bin/sh
# Runs a reference program and another command, and checks that they print the same lines.
# Usage: same-lines.sh [--locale NAME FOLDER] REFERENCE COMMAND [ARGUMENT...]
#   --locale  both run in the locale NAME (language_COUNTRY.UTF-8, with a decimal comma), made
#             in FOLDER once with localedef
# Exits 77 with a line "SKIP: ..." when COMMAND is node and node, or the emscripten that builds
# its script, is not installed.
set -eu
skip() { echo "SKIP: $*"; exit 77; }
if [ "$1" = --locale ]; then
  name=$2 folder=$3
  shift 3
  if [ ! -d "$folder/$name" ]; then
    mkdir -p "$folder"
    rm -rf "$folder/$name.new"
    localedef -i "${name%%.*}" -f UTF-8 "$folder/$name.new" ||
      skip "localedef cannot make the locale $name (make setup installs locales)"
    mv "$folder/$name.new" "$folder/$name"
  fi
  export LOCPATH="$folder" LC_ALL="$name"
  [ "$(locale decimal_point)" = "," ] || { echo "FAIL: the locale $name has no decimal comma"; exit 1; }
fi
reference=$1
shift
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
