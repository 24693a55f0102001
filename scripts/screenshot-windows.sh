#!/bin/bash
# Pictures of the Windows build's main window under Wine, at 96 and 144 dpi, in Wine's virtual
# desktop (it draws the title bar where no window manager runs).
#   scripts/screenshot-windows.sh [windows build folder] [output folder]
# Writes main-window-windows.png (96 dpi) and main-window-windows-144dpi.png.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-windows}" && pwd)
out=${2:-$root/docs}
mkdir -p "$out"
exe=$build/bin/quorvane.exe
[ -f "$exe" ] || { echo "no $exe: build the Windows program first" >&2; exit 1; }
command -v import >/dev/null || { echo "ImageMagick's import is needed" >&2; exit 1; }
. "$root/tests/windows/wine-env.sh"
trap wine_env_stop EXIT

shoot() {
  local dpi=$1 file=$2 desktop=$3
  wine_env_start "$build/wineprefix" "$dpi"
  (cd "$build/bin" && wine explorer /desktop=shot,$desktop quorvane.exe >/dev/null 2>&1 &)
  sleep 6
  # The virtual desktop's own background is cut away with the trim.
  import -display "$DISPLAY" -window root -crop "$desktop+0+0" +repage "$file.tmp.png"
  convert "$file.tmp.png" -trim +repage "$file"
  rm -f "$file.tmp.png"
  wine_env_stop
  echo "wrote $file"
}

shoot 96 "$out/main-window-windows.png" 1024x768
shoot 144 "$out/main-window-windows-144dpi.png" 1536x1152
