#!/bin/sh
# Fails when a C++ file of the project is not laid out as .clang-format says (Debian's
# clang-format); `scripts/check-format.sh --fix` lays them out so.
set -eu
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null 2>&1 || { echo "SKIP: clang-format is not installed (make setup installs it)"; exit 77; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files '*.cpp' '*.h')
else
  files=$(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [ "${1:-}" = "--fix" ]; then
  echo "$files" | xargs clang-format -i
else
  echo "$files" | xargs clang-format --dry-run --Werror
fi
