#!/bin/bash
# Pictures of the Windows build's windows under Wine, in Wine's virtual desktop (it draws the title
# bar where no window manager runs).
#   scripts/screenshot-windows.sh [--bare] [--all] [--prefix DIR] [windows build folder] [output folder]
# Writes main-window-windows.png (96 dpi) and main-window-windows-144dpi.png: the program's main
# window as it starts.
#   --all     instead: the main window, the About box and the Working window side by side, with the
#             focus on an option button without a caption (test-drivers/window-check.exe --show),
#             at 96, 144 and 192 dpi: windows-96dpi.png, windows-144dpi.png, windows-192dpi.png
#   --bare    in a Wine prefix without Wine's fonts linked in (wine-run.sh --bare)
#   --prefix  the Wine prefix (build/wine-prefix, or build/wine-prefix-bare with --bare)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bare="" all=0 prefix=""
while :; do
  case "${1:-}" in
    --bare) bare=--bare; shift ;;
    --all) all=1; shift ;;
    --prefix) prefix=$2; shift 2 ;;
    *) break ;;
  esac
done
build=$(cd "${1:-$root/build-windows}" && pwd)
out=${2:-$root/docs}
mkdir -p "$out"
exe=$build/bin/quorvane.exe
[ $all -eq 0 ] || exe=$build/test-drivers/window-check.exe
[ -f "$exe" ] || { echo "no $exe: build the Windows program first" >&2; exit 1; }
command -v import >/dev/null || { echo "ImageMagick's import is needed: scripts/setup.sh screenshots installs it" >&2; exit 1; }
[ -n "$prefix" ] || prefix=$root/build/wine-prefix${bare:+-bare}
# The prefix, made by wine-run.sh as the Windows tests make theirs.
sh "$root/tests/windows/wine-run.sh" $bare "$prefix" cmd /c exit 0
export WINEPREFIX=$(cd "$prefix" && pwd) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

shoot() {
  local dpi=$1 file=$2 desktop=$3
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  xvfb-run -a -s "-screen 0 2600x2000x24" sh -c '
    (cd "$1" && wine explorer /desktop=shot,$2 "$4" $5 >/dev/null 2>&1 &)
    sleep 8
    # The virtual desktop'"'"'s own background is cut away with the trim.
    import -window root -crop "$2+0+0" +repage "$3.tmp.png"
    wineserver -k' sh "$(dirname "$exe")" "$desktop" "$file" "$(basename "$exe")" "$([ $all -eq 1 ] && echo --show)"
  convert "$file.tmp.png" -trim +repage "$file"
  rm -f "$file.tmp.png"
  echo "wrote $file"
}

if [ $all -eq 1 ]; then
  for dpi in 96 144 192; do shoot $dpi "$out/windows-${dpi}dpi.png" "$((1200 * dpi / 96))x$((900 * dpi / 96))"; done
else
  shoot 96 "$out/main-window-windows.png" 1024x768
  shoot 144 "$out/main-window-windows-144dpi.png" 1536x1152
fi
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
