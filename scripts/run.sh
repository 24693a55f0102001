#!/bin/sh
# Starts the program on the user's display.
set -eu
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Start Quorvane from a desktop session, or under a virtual one: xvfb-run $1" >&2
  exit 1
fi
exec "$1"
