#!/bin/sh
# The longest search with the Working window on both back-ends, one after the other: the Qt
# program's benchmark on a virtual X display, then the Windows program's under Wine on a Wine
# desktop of its own (a window that closes would otherwise wait for a window manager). Each prints
# the opening, the repaints and the rest of the search, the old whole-window repaint beside the
# program's own, with the machine's load before it.
# Usage: bench-working-window.sh [RUNS [QT_BUILD_DIR [WINDOWS_BUILD_DIR]]]
#   RUNS               presses of each kind, the median is printed (default 3)
#   QT_BUILD_DIR       with bin/quorvane_bench_working_window (default build)
#   WINDOWS_BUILD_DIR  with bin/quorvane_bench_working_window_win32.exe (default build-windows);
#                      its Wine prefix is WINDOWS_BUILD_DIR/wine-prefix
# A back-end whose benchmark is not built is left out with a line saying so.
set -u
here=$(cd "$(dirname "$0")" && pwd)
runs=${1:-3}
qt=${2:-build}
windows=${3:-build-windows}

load() { echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"; }

if [ -x "$qt/bin/quorvane_bench_working_window" ]; then
  load
  xvfb-run -a -s "-screen 0 1280x1024x24" "$qt/bin/quorvane_bench_working_window" "$runs"
else
  echo "Qt: $qt/bin/quorvane_bench_working_window is not built"
fi

exe=$windows/bin/quorvane_bench_working_window_win32.exe
if [ -f "$exe" ]; then
  load
  prefix=$(cd "$windows" && pwd)/wine-prefix
  # Started in its own folder: the level table lies beside it.
  (cd "$windows/bin" && sh "$here/../tests/windows/wine-run.sh" --display "$prefix" \
    explorer /desktop=quorvane-bench,1200x960 quorvane_bench_working_window_win32.exe "$runs")
else
  echo "Win32: $exe is not built (cmake --build $windows --target quorvane_bench_working_window_win32)"
fi
