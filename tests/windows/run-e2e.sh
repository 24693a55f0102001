#!/bin/bash
# Runs the end-to-end driver against the Windows program under Wine on a virtual display.
#   run-e2e.sh <windows build folder> [--time]
# The build folder holds bin/quorvane.exe; the driver and the System Info stub are built beside
# it, and the Wine prefix lives in it. Exit 77 (skip) when Wine, Xvfb or the cross compiler is
# missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: run-e2e.sh <windows build folder> [--time]}
mode=${2:-}
cxx=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++ || true)
[ -n "$cxx" ] || { echo "SKIP: the MinGW-w64 cross compiler is not installed"; exit 77; }
[ -f "$build/bin/quorvane.exe" ] || { echo "FAIL: no $build/bin/quorvane.exe"; exit 1; }

drivers=$build/e2e
mkdir -p "$drivers"
for program in e2e_driver sysinfo_stub; do
  if [ ! -f "$drivers/$program.exe" ] || [ "$here/$program.cpp" -nt "$drivers/$program.exe" ]; then
    "$cxx" -std=c++20 -O2 -Wall -Wextra -static -o "$drivers/$program.exe" "$here/$program.cpp" || exit 1
  fi
done

. "$here/wine-env.sh"
wine_env_start "$build/wineprefix" 96 || exit $?
trap wine_env_stop EXIT
cd "$drivers" && timeout 900 wine e2e_driver.exe "$(winepath -w "$build/bin/quorvane.exe" 2>/dev/null)" $mode
