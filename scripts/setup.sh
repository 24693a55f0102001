#!/bin/sh
# Installs the Debian packages of the named lists that are not installed yet.
# Usage: setup.sh [LIST...]   LIST names scripts/debian-packages-LIST.txt; default: run.
#   run          building and running the two programs (`make run`, `make build`)
#   package      the Debian package and its check, besides run (`make package`)
#   windows      the Windows build, its installer and zip (`make windows`, `make package-windows`)
#   web          the browser edition's build tools (`make web`, `make serve-web`)
#   web-test     the browser edition's tests besides: the browser, its node packages, a locale
#   test         the tests besides the lists above (`make test` takes all six)
#   screenshots  the pictures of README.md (scripts/screenshot.sh, scripts/screenshot-windows.sh)
# Runs `apt-get update` once, and only when something is missing. apt asks nothing (debconf's
# noninteractive front end, which sudo would drop from the environment: it is passed on the
# command line).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || set -- run
missing=""
for list in "$@"; do
  file="$here/debian-packages-$list.txt"
  [ -f "$file" ] || { echo "setup.sh: no package list $file" >&2; exit 2; }
  for pkg in $(grep -v '^[[:space:]]*#' "$file"); do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    case "$status" in
      *"install ok installed"*) ;;
      # An installed package may provide it (node's own packages bring npm).
      *) dpkg-query -W -f='${Status} ${Provides}\n' 2>/dev/null | grep "^install ok installed" |
           grep -Eq "[ ,]$pkg( |,|\$)" || missing="$missing $pkg" ;;
    esac
  done
done
[ -z "$missing" ] && exit 0
echo "Installing missing Debian packages:$missing"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
