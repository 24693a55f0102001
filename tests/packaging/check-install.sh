#!/bin/sh
# Installs the build tree into a scratch prefix and checks what a user's system would get:
# the programs behind their links in bin/, the level table where the programs look for it,
# and the desktop integration files.
# Usage: check-install.sh BUILD_DIR SCRATCH_DIR PROGRAM...
set -eu
build=$1 scratch=$2
shift 2
set -- $*  # drops the names of programs this build does not make (empty arguments)
prefix="$scratch/prefix"
rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [ -f "$prefix/$1" ] && [ ! -L "$prefix/$1" ] || fail "$1 is not a plain file"; }

for program in "$@"; do
  [ -x "$prefix/lib/quorvane/$program" ] || fail "lib/quorvane/$program is missing"
  [ "$(readlink "$prefix/bin/$program")" = "../lib/quorvane/$program" ] ||
    fail "bin/$program is not a link to ../lib/quorvane/$program"
done
expect_file etc/quorvane/lvl-xp.txt
[ "$(readlink -f "$prefix/lib/quorvane/lvl-xp.txt")" = "$(readlink -f "$prefix/etc/quorvane/lvl-xp.txt")" ] ||
  fail "lib/quorvane/lvl-xp.txt does not lead to etc/quorvane/lvl-xp.txt"

case " $* " in
  *" quorvane "*)
    expect_file share/applications/org.quorvane.Quorvane.desktop
    expect_file share/metainfo/org.quorvane.Quorvane.metainfo.xml
    if [ -f "$(dirname "$0")/../../resources/quorvane-16.png" ]; then
      for size in 16 32 48; do expect_file "share/icons/hicolor/${size}x${size}/apps/quorvane.png"; done
    fi
    # Started without a display, the program says that it needs one, and where the command line is.
    message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quorvane" 2>&1) &&
      fail "quorvane started without a display"
    case $message in
      "Quorvane is a desktop program and needs a desktop session: no display was found"*"beside it in $(readlink -f "$prefix/lib/quorvane"), works without one.") ;;
      *) fail "quorvane without a display said: $message" ;;
    esac
    ;;
esac

case " $* " in
  *" quorvane-cli "*)
    # Started through its link, the command-line front end finds the table through the table's
    # link: a calculation from level 50 gives a result.
    version=$("$prefix/bin/quorvane-cli" --version)
    [ "$version" = "quorvane-cli 3.0.0" ] || fail "quorvane-cli --version printed '$version'"
    "$prefix/bin/quorvane-cli" --level 50 --scalps 100 --part rings >"$scratch/cli.out" ||
      fail "the installed quorvane-cli did not calculate: $(cat "$scratch/cli.out")"
    grep -q '^Level Reached: ' "$scratch/cli.out" || fail "no level in: $(cat "$scratch/cli.out")"
    expect_file share/man/man1/quorvane-cli.1.gz
    expect_file share/bash-completion/completions/quorvane-cli
    # A message about the table names the file in etc/ that the player edits, not the link
    # beside the program.
    table=$(readlink "$prefix/lib/quorvane/lvl-xp.txt")
    echo "1,x" >"$prefix/etc/quorvane/lvl-xp.txt"
    message=$("$prefix/bin/quorvane-cli" --level 50 --scalps 100 --part rings 2>&1) && fail "a broken table was used"
    [ "$message" = "Error: Line 1 of $table holds something that is not a whole number." ] ||
      fail "the table message reads: $message"
    ;;
esac
rm -rf "$scratch"
echo "installed tree checked for: $*"
