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
# The Wine prefix of the Windows tests, made by wine-run.sh with Wine's own fonts in it.
export WINEPREFIX=$root/build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
sh "$root/tests/windows/wine-run.sh" "$WINEPREFIX" cmd /c exit 0

shoot() {
  local dpi=$1 file=$2 desktop=$3
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  xvfb-run -a -s "-screen 0 1600x1200x24" sh -c '
    (cd "$1" && wine explorer /desktop=shot,$2 quorvane.exe >/dev/null 2>&1 &)
    sleep 6
    # The virtual desktop'"'"'s own background is cut away with the trim.
    import -window root -crop "$2+0+0" +repage "$3.tmp.png"
    wineserver -k' sh "$build/bin" "$desktop" "$file"
  convert "$file.tmp.png" -trim +repage "$file"
  rm -f "$file.tmp.png"
  echo "wrote $file"
}

shoot 96 "$out/main-window-windows.png" 1024x768
shoot 144 "$out/main-window-windows-144dpi.png" 1536x1152
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
