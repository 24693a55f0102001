#!/bin/sh
# Runs a test driver of the Windows build (test-drivers/) through wine-run.sh on a private virtual
# display, on a Wine desktop of its own: without one, every window that closes waits for a window
# manager that the display does not run. The desktop's dpi is set first.
# Usage: run-driver.sh [--bare] [--dpi DPI] [--scenario EXPANDER CLI]
#                      WINE_RUN PREFIX WINDOWS_BUILD_DIR DRIVER.exe [ARGUMENT...]
#   --bare      the prefix is one without Wine's fonts linked into it (wine-run.sh --bare)
#   --dpi       the desktop's dots per inch, 96 unless given
#   --scenario  the end-to-end scenario, expanded for win32 by EXPANDER (tests/e2e/scenario.py) with
#               the native quorvane-cli CLI, into DRIVER-steps.txt: the driver's first argument
# An argument that is an absolute path is passed on as Wine's name for it (Z:\...). The desktop
# does not pass the driver's status on: the driver leaves it in DRIVER-result.txt.
set -u
bare="" dpi=96 expander=""
while :; do
  case "${1:-}" in
    --bare) bare=--bare; shift ;;
    --dpi) dpi=$2; shift 2 ;;
    --scenario) expander=$2 cli=$3; shift 3 ;;
    *) break ;;
  esac
done
run=$1 prefix=$2 build=$3 driver=$4
shift 4
if [ -n "$expander" ]; then
  steps=$(cd "$build/test-drivers" && pwd)/${driver%.exe}-steps.txt || exit 1
  python3 "$expander" "$cli" win32 >"$steps" || { echo "FAIL: the scenario could not be expanded"; exit 1; }
  set -- "$steps" "$@"
fi
for argument; do
  case $argument in /*) argument="Z:$(printf '%s' "$argument" | tr / '\\')" ;; esac
  set -- "$@" "$argument"
  shift
done
cd "$build/test-drivers" || exit 1
result=${driver%.exe}-result.txt
rm -f "$result"
sh "$run" $bare "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
status=$?
[ $status -eq 77 ] && exit 77
[ $status -eq 0 ] || { echo "FAIL: the dpi could not be set (status $status)"; exit 1; }
# Room for the windows at the dpi.
desktop="$((1200 * dpi / 96))x$((960 * dpi / 96))"
sh "$run" --display $bare "$prefix" explorer /desktop=quorvane-test,"$desktop" "$driver" "$@"
status=$?
[ $status -eq 77 ] && exit 77
[ -f "$result" ] || { echo "FAIL: $driver ended without a result (status $status)"; exit 1; }
exit "$(tr -d '\r\n' < "$result")"
