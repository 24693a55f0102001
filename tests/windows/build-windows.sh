#!/bin/bash
# Cross-builds the Windows program (quorvane.exe) for the Wine tests.
#   build-windows.sh <source folder> <windows build folder>
# Exit 77 (skip) when the MinGW-w64 cross compiler is missing.
set -eu
source=$1 build=$2
cxx=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++ || true)
[ -n "$cxx" ] || { echo "SKIP: the MinGW-w64 cross compiler is not installed"; exit 77; }
if [ -f "$source/cmake/mingw-w64-x86_64.cmake" ]; then
  toolchain=(-DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake")
else
  toolchain=(-DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER="$cxx"
             -DCMAKE_RC_COMPILER="$(command -v x86_64-w64-mingw32-windres)")
fi
cmake -S "$source" -B "$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF -DQUORVANE_WIN32_GUI=ON >/dev/null
cmake --build "$build" -j 2 --target quorvane
