#!/bin/sh
# Runs a program as on a machine without the dialog font's look-alike (Debian's fonts-wine): in a
# mount namespace of the program's own, the look-alike's folders are covered by an empty one.
# Usage: without-lookalike.sh PROGRAM [ARGUMENTS...]   Exit status 77: no namespace can be made.
set -eu
empty=$(mktemp -d)
trap 'rmdir "$empty"' EXIT
if [ "$(id -u)" -eq 0 ] && unshare -m true 2>/dev/null; then
  namespace="unshare -m"
elif unshare -rm true 2>/dev/null; then
  namespace="unshare -rm"
else
  echo "SKIP: this machine lets no program have a mount namespace of its own (unshare)"
  exit 77
fi
$namespace sh -c '
  empty=$1; shift
  for folder in /usr/share/wine/fonts /usr/share/fonts/truetype/wine; do
    if [ -d "$folder" ]; then mount --bind "$empty" "$folder"; fi
  done
  if [ -e /usr/share/wine/fonts/ms_sans_serif.ttf ]; then echo "the look-alike is still there" >&2; exit 1; fi
  exec "$@"' sh "$empty" "$@"
