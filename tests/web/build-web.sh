#!/bin/sh
# Configures and builds the browser edition with emscripten, as `make web` does, for the web
# tests, with every warning an error. An up-to-date tree costs a few seconds.
# Usage: build-web.sh SOURCE_DIR WEB_BUILD_DIR
# Exits 77 with a line "SKIP: ..." when emscripten is not installed.
set -eu
source=$1 build=$2

command -v emcmake >/dev/null 2>&1 && command -v emcc >/dev/null 2>&1 ||
  { echo "SKIP: emscripten is not installed (make setup installs emscripten)"; exit 77; }
emcmake cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF \
  -DQUORVANE_WERROR=ON >/dev/null
cmake --build "$build" -j 2
