#!/bin/sh
# Makes docs/main-window.png, the picture of the main window in README.md: starts the built
# program on a virtual display (Xvfb), photographs the screen and trims it to the window.
# Usage: scripts/screenshot.sh [PROGRAM [OUTPUT]]   (after `make build`; scripts/setup.sh screenshots installs Xvfb and ImageMagick)
#        scripts/screenshot.sh --tables [PROGRAM [FOLDER]]
#   --tables  instead: the main window with its context menu open (context-menu.png), the Plan
#             window of 31,000,000 XP handing in books (plan-window.png), 5000 scalps calculated, typed and chosen with
#             the keys (xdotool), and the Hand-ins window of 500 scalps, 2 maces and 13 rings owned
#             handing in rings (hand-ins-window.png)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
tables=0
[ "${1:-}" = "--tables" ] && { tables=1; shift; }
program=${1:-$here/build/bin/quorvane}
output=${2:-$here/docs/main-window.png}
[ $tables -eq 0 ] || output=${2:-$here/docs}
for tool in xvfb-run import convert; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/setup.sh screenshots installs it" >&2; exit 1; }
done
[ $tables -eq 0 ] || command -v xdotool >/dev/null || { echo "xdotool is missing (scripts/setup.sh test)" >&2; exit 1; }
[ -x "$program" ] || { echo "$program is not built (make build)" >&2; exit 1; }
# Menus and the tables' rows are set in the toolkit's default face: the pictures show DejaVu Sans,
# which the run list installs and fontconfig prefers.
case $(fc-match -f '%{family}' sans-serif 2>/dev/null) in
  "DejaVu Sans"*) ;;
  *) echo "the default face is not DejaVu Sans: scripts/setup.sh run installs fonts-dejavu-core" >&2; exit 1 ;;
esac
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
if [ $tables -eq 1 ]; then
  mkdir -p "$output"
  # The focus starts in "Character XP:" and Tab reaches "Scalps Owned"; the mouse chooses the
  # books, presses "Calculate" and opens the menu over the Results frame (places at 96 dpi).
  QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    "$1" & pid=$!
    sleep 3
    main=$(xdotool search --name "^Quorvane$" | head -1)
    xdotool windowfocus "$main"; sleep 0.3
    xdotool type 31000000; xdotool key Tab; xdotool type 5000
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + 127)) $((Y + 190)) click 1; sleep 0.3
    xdotool mousemove $((X + 60)) $((Y + 258)) click 1; sleep 0.5
    xdotool mousemove $((X + 110)) $((Y + 410)) click 3; sleep 0.8
    import -window root "$2/menu-shot.png"
    xdotool key Escape; sleep 0.3
    xdotool key shift+0xffc7 Down Return; sleep 1.5  # 0xffc7: XK_F10, function key 10
    import -window "$(xdotool search --name "^Plan$" | head -1)" "$2/plan-shot.png"
    xdotool windowfocus "$(xdotool search --name "^Plan$" | head -1)"; sleep 0.3
    xdotool key Escape; sleep 0.3; xdotool windowfocus "$main"; sleep 0.3
    xdotool mousemove $((X + 127)) $((Y + 214)) click 1; sleep 0.3
    xdotool mousemove $((X + 140)) $((Y + 105)) click 1; sleep 0.3
    xdotool key ctrl+a; xdotool type 500
    xdotool key shift+0xffc7 Down Down Down Down Return; sleep 1
    xdotool windowfocus "$(xdotool search --name "^Items Owned$" | head -1)"; sleep 0.3
    xdotool type 2; xdotool key Tab Tab Tab; xdotool type 13; xdotool key Return; sleep 0.5
    xdotool windowfocus "$main"; sleep 0.3
    xdotool key shift+0xffc7 Down Down Down Return; sleep 1.5
    import -window "$(xdotool search --name "^Hand-ins$" | head -1)" "$2/hand-ins-shot.png"
    kill $pid' sh "$program" "$runtime"
  # -strip leaves out the dates, so that a picture of an unchanged window is the same file.
  convert "$runtime/menu-shot.png" -trim +repage -strip "$output/context-menu.png"
  convert "$runtime/plan-shot.png" -strip "$output/plan-window.png"
  convert "$runtime/hand-ins-shot.png" -strip "$output/hand-ins-window.png"
  echo "wrote $output/context-menu.png, $output/plan-window.png and $output/hand-ins-window.png"
  exit 0
fi
mkdir -p "$(dirname "$output")"
shot=$runtime/shot.png
# No window manager runs on the virtual display: the window shows without a frame, on black.
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$1" & pid=$!
  sleep 3
  import -window root "$2"
  kill $pid' sh "$program" "$shot"
# -strip leaves out the dates, so that a picture of an unchanged window is the same file.
convert "$shot" -trim +repage -strip "$output"
echo "wrote $output ($(identify -format '%wx%h' "$output"))"
