#!/bin/sh
# Runs a Windows program under Wine in a Wine prefix of its own (inside the build folder), and
# waits until every Wine process of that prefix has ended.
#
# Usage: wine-run.sh [--display] [--bare] PREFIX PROGRAM [ARGUMENT...]
#   --display  run on a private virtual X display (xvfb-run), for programs that open windows
#   --bare     a prefix as a fresh wineboot leaves it, without Wine's fonts linked into its Fonts
#              folder: the fonts that a system without Windows' own has. A prefix is made one way
#              or the other, and used only that way.
#   PREFIX     the Wine prefix; made once, on first use (wineboot), under a lock
#   PROGRAM    a Windows program, or a command of Wine's own (reg, cmd, ...)
# PROGRAM's exit status is passed on. Exits 77 with a line "SKIP: ..." when Wine (or, with
# --display, xvfb-run) is missing.
set -eu

display=0 kind=fonts
while :; do
  case "${1:-}" in
    --display) display=1; shift ;;
    --bare) kind=bare; shift ;;
    *) break ;;
  esac
done
[ $# -ge 2 ] || { echo "usage: $0 [--display] [--bare] PREFIX PROGRAM [ARGUMENT...]" >&2; exit 2; }
prefix=$1
shift

skip() { echo "SKIP: $*"; exit 77; }

# Debian's wine64 puts its loader in /usr/lib/wine; the `wine` wrapper picks the 32-bit loader
# when wine32 is installed too, and the programs are 64-bit.
find_tool() {
  for candidate in "$@"; do
    if command -v "$candidate" >/dev/null 2>&1; then command -v "$candidate"; return 0; fi
  done
  return 1
}
wine=$(find_tool wine64 /usr/lib/wine/wine64 wine) || skip "Wine is not installed (make setup installs wine64)"
wineserver=$(find_tool wineserver /usr/lib/wine/wineserver) || skip "wineserver is not installed (make setup installs wine64)"
# Wine's loader must map its shared user data at a fixed address; with address space
# randomisation, about one start in 2,000 finds it taken and fails before the program runs
# ("failed to map the shared user data", exit status 1, nothing printed). Programs started
# without randomisation (setarch -R, inherited by the processes they start) do not.
no_aslr=""
if setarch -R true 2>/dev/null; then no_aslr="setarch -R"; fi
if [ $display -eq 1 ]; then
  command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is not installed (make setup installs xvfb)"
fi

mkdir -p "$(dirname "$prefix")"
prefix=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko download prompts; no menu entries or file associations in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

# The prefix is made once; later runs find it ready. The lock keeps parallel tests from making
# it twice.
(
  flock 9
  if [ ! -f "$prefix/.quorvane-ready" ]; then
    # A prefix that an interrupted run left half made is made afresh; any other folder is kept.
    if [ -d "$prefix" ] && [ -n "$(ls -A "$prefix")" ]; then
      [ -f "$prefix/system.reg" ] || [ -d "$prefix/dosdevices" ] ||
        { echo "$prefix is not a Wine prefix: not touching it" >&2; exit 1; }
      rm -rf "$prefix"
    fi
    start=$(date +%s.%N)
    $no_aslr "$wine" wineboot -i >/dev/null 2>&1 || { echo "wineboot -i failed for $prefix" >&2; exit 1; }
    "$wineserver" -w
    # Wine's own fonts (the dialog font among them) where its programs look for them.
    if [ "$kind" = fonts ]; then
      mkdir -p "$prefix/drive_c/windows/Fonts"
      for font in /usr/share/wine/fonts/*; do
        if [ -e "$font" ]; then ln -sf "$font" "$prefix/drive_c/windows/Fonts/"; fi
      done
    fi
    end=$(date +%s.%N)
    echo "Wine prefix $prefix ($kind) made in $(awk "BEGIN { printf \"%.1f\", $end - $start }") s" >&2
    echo "$kind" >"$prefix/.quorvane-ready"
  fi
  made=$(cat "$prefix/.quorvane-ready")
  # Prefixes of before the two kinds had fonts.
  [ "${made:-fonts}" = "$kind" ] || { echo "$prefix is a prefix of kind ${made:-fonts}, not $kind" >&2; exit 1; }
) 9>"$prefix.lock"

# The server ends as soon as the last program of the prefix does, so that waiting for it is
# waiting for the programs (it would otherwise linger for a few seconds).
"$wineserver" -p0 2>/dev/null || true

status=0
if [ $display -eq 1 ]; then
  xvfb-run -a -s "-screen 0 2400x1920x24" \
    sh -c 'server=$1; shift; "$@"; status=$?; "$server" -w; exit $status' sh "$wineserver" $no_aslr "$wine" "$@" ||
    status=$?
else
  $no_aslr "$wine" "$@" || status=$?
  "$wineserver" -w
fi
exit $status
