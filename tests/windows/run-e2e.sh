#!/bin/sh
# Runs the end-to-end driver against the Windows program, through wine-run.sh on a private
# virtual display, on a Wine desktop of its own: without one, every window that closes waits for
# a window manager that the display does not run.
# Usage: run-e2e.sh WINE_RUN PREFIX WINDOWS_BUILD_DIR
set -u
run=$1 prefix=$2 build=$3
cd "$build/test-drivers" || exit 1
rm -f e2e-result.txt
exe="Z:$(printf '%s' "$build/bin/quorvane.exe" | tr / '\\')"
sh "$run" --display "$prefix" explorer /desktop=quorvane-e2e,1200x960 e2e-driver.exe "$exe"
status=$?
[ $status -eq 77 ] && exit 77
# The desktop does not pass the driver's status on: the driver leaves it in a file.
[ -f e2e-result.txt ] || { echo "FAIL: the driver ended without a result (status $status)"; exit 1; }
exit "$(tr -d '\r\n' < e2e-result.txt)"
