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
# On a Wine desktop of its own, as on Windows: without one, every window that closes waits for a
# window manager that this display does not run.
cd "$drivers" || exit 1
rm -f e2e-result.txt
timeout 900 wine explorer /desktop=quorvane-e2e,1600x1200 e2e_driver.exe \
  "$(winepath -w "$build/bin/quorvane.exe" 2>/dev/null)" $mode
wineserver -w 2>/dev/null
[ -f e2e-result.txt ] || { echo "FAIL: the driver ended without a result"; exit 1; }
exit "$(tr -d "\r\n" < e2e-result.txt)"
