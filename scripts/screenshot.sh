#!/bin/sh
# Makes docs/main-window.png, the picture of the main window in README.md: starts the built
# program on a virtual display (Xvfb), photographs the screen and trims it to the window.
# Usage: scripts/screenshot.sh [PROGRAM [OUTPUT]]   (after `make build`; scripts/setup.sh screenshots installs Xvfb and ImageMagick)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$here/build/bin/quorvane}
output=${2:-$here/docs/main-window.png}
for tool in xvfb-run import convert; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/setup.sh screenshots installs it" >&2; exit 1; }
done
[ -x "$program" ] || { echo "$program is not built (make build)" >&2; exit 1; }
mkdir -p "$(dirname "$output")"
shot=$(mktemp --suffix=.png)
runtime=$(mktemp -d)
trap 'rm -rf "$shot" "$runtime"' EXIT
# No window manager runs on the virtual display: the window shows without a frame, on black.
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$1" & pid=$!
  sleep 3
  import -window root "$2"
  kill $pid' sh "$program" "$shot"
# -strip leaves out the dates, so that a picture of an unchanged window is the same file.
convert "$shot" -trim +repage -strip "$output"
echo "wrote $output ($(identify -format '%wx%h' "$output"))"
