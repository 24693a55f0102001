#!/bin/sh
# Builds the Debian package from the build tree and checks its contents and dependencies.
# Usage: check-deb.sh BUILD_DIR SCRATCH_DIR PROGRAM...
set -eu
build=$1 scratch=$2
shift 2
set -- $*  # drops the names of programs this build does not make (empty arguments)
rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/quorvane_3.0.0_*.deb)

fail() { echo "FAIL: $*" >&2; exit 1; }
dpkg-deb -c "$deb" | awk '{ path = $6; if ($7 == "->") path = path " -> " $8; print path }' >"$scratch/contents"
has() { grep -qxF "$1" "$scratch/contents" || fail "the package lacks $1"; }

for program in "$@"; do
  has "./usr/lib/quorvane/$program"
  has "./usr/bin/$program -> ../lib/quorvane/$program"
done
has ./etc/quorvane/lvl-xp.txt
has ./usr/share/doc/quorvane/copyright
has ./usr/share/doc/quorvane/changelog.gz
has "./usr/lib/quorvane/lvl-xp.txt -> /etc/quorvane/lvl-xp.txt"
[ "$(dpkg-deb -I "$deb" conffiles)" = /etc/quorvane/lvl-xp.txt ] ||
  fail "the level table is not the package's configuration file"
case " $* " in
  *" quorvane-cli "*)
    has ./usr/share/man/man1/quorvane-cli.1.gz
    has ./usr/share/bash-completion/completions/quorvane-cli
    ;;
esac
case " $* " in
  *" quorvane "*)
    has ./usr/share/applications/org.quorvane.Quorvane.desktop
    has ./usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml
    if [ -f "$(dirname "$0")/../../resources/quorvane-16.png" ]; then
      for size in 16 32 48; do has "./usr/share/icons/hicolor/${size}x${size}/apps/quorvane.png"; done
    fi
    ;;
esac
# Nothing but the programs and their files: no tests, benchmarks or libraries of the build.
unexpected=$(grep -v -e '/$' -e '^./usr/lib/quorvane/' -e '^./usr/bin/quorvane' -e '^./etc/quorvane/' \
  -e '^./usr/share/applications/' -e '^./usr/share/metainfo/' -e '^./usr/share/icons/hicolor/' \
  -e '^./usr/share/doc/quorvane/' -e '^./usr/share/man/man1/quorvane-cli.1.gz$' -e '^./usr/share/bash-completion/completions/quorvane-cli$' \
  "$scratch/contents" || true)
[ -z "$unexpected" ] || fail "the package holds unexpected files: $unexpected"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvane ] || fail "package name is $(field Package)"
[ "$(field Version)" = 3.0.0 ] || fail "version is $(field Version)"
depends=$(field Depends)
echo "Depends: $depends"
needs() { echo ", $depends," | grep -q ", $1[ ,(]" || fail "Depends lacks $1"; }
needs libc6
needs libstdc++6
case " $* " in
  *" quorvane "*)
    needs libqt6core6
    needs libqt6widgets6
    needs qt6-qpa-plugins
    needs fonts-wine
    needs fonts-liberation
    ;;
esac
# Every dependency is a package that this system's package sources know (when the machine
# has package lists at all: a machine that never ran apt-get update knows none).
names=$(echo "$depends" | tr ',' '\n' | sed 's/(.*)//; s/|.*//' | tr -d ' ')
known=$(apt-cache show --no-all-versions $names 2>/dev/null | sed -n 's/^Package: //p' | sort -u)
if [ -n "$known" ]; then
  for name in $names; do
    echo "$known" | grep -qxF "$name" || fail "no package source knows the dependency $name"
  done
else
  echo "note: no package lists on this machine; the dependency names were not looked up"
fi
# Debian's own checks of a package: no error (warnings are printed, and allowed).
if command -v lintian >/dev/null 2>&1; then
  status=0
  lintian --fail-on error --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || status=$?
  cat "$scratch/lintian.log"
  [ $status -eq 0 ] || fail "lintian found errors in the package (status $status)"
  echo "lintian: no error"
else
  echo "note: lintian is not installed (make setup installs it); the package was not linted"
fi
rm -rf "$scratch"
echo "package checked for: $*"
