# Sourced by the scripts that run the Windows build under Wine: a virtual display of its own and
# a Wine prefix inside the build folder.
#   wine_env_start <prefix folder> [dpi]   starts Xvfb, prepares the prefix; sets DISPLAY etc.
#   wine_env_stop                           ends the Wine processes of the prefix and Xvfb
# Returns 77 when Wine or Xvfb is missing.

wine_env_start() {
  local prefix=$1 dpi=${2:-96}
  WINE=$(command -v wine || command -v wine64 || true)
  if [ -z "$WINE" ] || ! command -v Xvfb >/dev/null; then
    echo "SKIP: Wine or Xvfb is not installed" >&2
    return 77
  fi
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || break
  done
  Xvfb :$n -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=:$n
  local waited=0
  while [ ! -e /tmp/.X11-unix/X$n ] && [ $waited -lt 50 ]; do sleep 0.1; waited=$((waited + 1)); done

  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
  fi
  # Wine's own fonts (the dialog font, the caption buttons' symbols) where the prefix finds them.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*; do
    [ -e "$font" ] && ln -sf "$font" "$fonts/"
  done
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  "$WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w 2>/dev/null || true
  return 0
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait "${XVFB_PID:-}" 2>/dev/null || true
}
