#!/bin/sh
# Configures and builds the Windows tree with the MinGW-w64 toolchain, as `make windows` does,
# for the Windows tests: the programs, the test drivers and, with --package, the installer and
# the portable zip, with every warning an error. An up-to-date tree costs a second.
# Usage: build-windows.sh SOURCE_DIR WINDOWS_BUILD_DIR [--package]
# Exits 77 with a line "SKIP: ..." when a tool the step needs is missing.
set -eu
source=$1 build=$2
package=${3:-}

skip() { echo "SKIP: $*"; exit 77; }
command -v x86_64-w64-mingw32-g++ >/dev/null 2>&1 ||
  skip "the MinGW-w64 cross compiler is not installed (make setup installs g++-mingw-w64-x86-64)"
if [ "$package" = "--package" ]; then
  command -v makensis >/dev/null 2>&1 || skip "makensis is not installed (make setup installs nsis)"
  command -v zip >/dev/null 2>&1 || skip "zip is not installed (make setup installs zip)"
fi

cmake --no-warn-unused-cli -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF -DQUORVANE_WIN32_GUI=ON -DQUORVANE_WERROR=ON >/dev/null
cmake --build "$build" -j 2
if [ "$package" = "--package" ]; then
  cmake --build "$build" --target package-windows
fi
