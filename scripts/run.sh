#!/bin/sh
# Starts the program on the user's display.
set -eu
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Quorvane is a desktop program and needs a desktop session: no display was found" >&2
  echo "(neither DISPLAY nor WAYLAND_DISPLAY is set). Run \`make run\` in a terminal of your desktop;" >&2
  echo "quorvane-cli, built beside it in $(dirname "$1"), works without one." >&2
  exit 1
fi
exec "$1"
