#!/bin/sh
# Builds the downloads of one commit into OUT/quorvane-<version>/, bit for bit the same on any
# Debian 12 machine, in any folder, as any user, at any time:
#   quorvane_<version>_amd64.deb              the Debian package (make package)
#   quorvane-<version>-setup.exe              the Windows installer (make package-windows)
#   quorvane-<version>-windows-x64.zip        the Windows portable folder
#   quorvane-<version>-web.zip                the browser edition's static folder (make web)
#   quorvane-<version>.tar.gz                 the source of the commit (git archive)
#   SHA256SUMS                                the SHA-256 sum of each of them
# Each is built from the source archive, unpacked into WORK (emptied first), in a build folder
# of its own there, configured without the tests' and benchmarks' programs.
#
# What would differ between two builds is pinned down: every time stamp is the commit's
# (SOURCE_DATE_EPOCH), WORK is mapped out of the compiled files (-ffile-prefix-map), the
# archives list their files in name order with owner root and mode bits from umask 022, and the
# Windows linker writes no time stamp.
#
# Usage: release.sh [--parts "source deb windows web"] [--cli-only] [--working-tree] [--jobs N] WORK OUT
#   --parts         only those downloads (and no SHA256SUMS unless all four builds are made)
#   --cli-only      the Debian and Windows packages with quorvane-cli alone (quicker to build)
#   --working-tree  the tracked files as they are now, uncommitted changes too, instead of the
#                   commit (the reproducibility test checks the tree it is run from)
set -eu
parts="source deb windows web"
tree=commit
cli_only=no
jobs=$(nproc 2>/dev/null || echo 2)
while [ $# -gt 2 ]; do
  case $1 in
    --parts) parts=$2; shift 2 ;;
    --working-tree) tree=working; shift ;;
    --cli-only) cli_only=yes; shift ;;
    --jobs) jobs=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || { sed -n '2,/^set -eu/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
umask 022
export LC_ALL=C TZ=UTC
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1" "$2"
work=$(cd "$1" && pwd)
version=$(sed -n 's/^project(quorvane VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
name=quorvane-$version
out=$(cd "$2" && pwd)/$name

skip() { echo "SKIP: $*"; exit 77; }
need() {  # PART PROGRAM PACKAGE
  case " $parts " in *" $1 "*)
    command -v "$2" >/dev/null 2>&1 || skip "$2 is not installed (make setup installs $3)" ;;
  esac
}
need deb g++ g++
need deb cpack cmake
need deb dpkg-shlibdeps dpkg-dev
need windows x86_64-w64-mingw32-g++ g++-mingw-w64-x86-64
need windows makensis nsis
need windows zip zip
need web emcmake emscripten
need web zip zip
if ! git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
  [ $tree = commit ] || skip "$source_dir is not a git clone"
  echo "release.sh: $source_dir is not a git clone: a release is made from a commit" >&2
  exit 2
fi
commit=HEAD
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct HEAD)
export SOURCE_DATE_EPOCH
if [ $tree = working ]; then
  # A commit of the changes that stays out of the branch, the same for the same changes.
  commit=$(GIT_AUTHOR_NAME=release GIT_AUTHOR_EMAIL=release GIT_AUTHOR_DATE=@$SOURCE_DATE_EPOCH \
    GIT_COMMITTER_NAME=release GIT_COMMITTER_EMAIL=release GIT_COMMITTER_DATE=@$SOURCE_DATE_EPOCH \
    git -C "$source_dir" stash create)
  commit=${commit:-HEAD}
elif [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: the uncommitted changes are left out: the release is of commit" \
    "$(git -C "$source_dir" rev-parse --short HEAD)" >&2
fi

rm -rf "$work" "$out"
mkdir -p "$work" "$out"
# The source: also what every build below is made from.
git -C "$source_dir" archive --format=tar --prefix="$name/" "$commit" >"$work/source.tar"
# With the mode bits of umask 022, as a user other than root extracts them.
tar --no-same-permissions --no-same-owner -xf "$work/source.tar" -C "$work"
src=$work/$name
case " $parts " in *" source "*) gzip -9n <"$work/source.tar" >"$out/$name.tar.gz" ;; esac

# The folder names of WORK are left out of the compiled files (file names in assertions and
# debug information); the Windows linker writes 0 where it would write the time of the link.
export CXXFLAGS="-ffile-prefix-map=$work/="
configure() {
  folder=$1
  shift
  cmake -S "$src" -B "$work/$folder" -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=OFF "$@" >"$work/$folder.log" 2>&1 ||
    { cat "$work/$folder.log" >&2; exit 1; }
}
build() {
  folder=$1
  shift
  echo "release.sh: building $folder"
  cmake --build "$work/$folder" -j "$jobs" --target "$@" >>"$work/$folder.log" 2>&1 ||
    { tail -n 50 "$work/$folder.log" >&2; exit 1; }
}

# A zip of FOLDER's tree (named as in FOLDER), in name order, every entry with the commit's
# time, no owner or extended time stamps.
zip_tree() {
  (cd "$1" && find . -mindepth 1 -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} + &&
    find . -mindepth 1 | sed 's|^\./||' | sort | zip -q -X -D -@ "$2")
}

gui=ON programs="quorvane quorvane-cli"
[ $cli_only = no ] || { gui=OFF programs=quorvane-cli; }
case " $parts " in *" deb "*)
  # The package's install step builds what it installs, not every test (the default).
  configure linux -DQUORVANE_GUI=$gui -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
  build linux $programs quorvane-cli-manual quorvane-changelog
  (cd "$work/linux" && cpack -G DEB >>"$work/linux.log" 2>&1) || { tail -n 50 "$work/linux.log" >&2; exit 1; }
  cp "$work/linux/quorvane_${version}_"*.deb "$out/"
  ;;
esac

case " $parts " in *" windows "*)
  (
    export LDFLAGS="-Wl,--no-insert-timestamp"
    configure windows --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
      -DQUORVANE_GUI=OFF -DQUORVANE_WIN32_GUI=$gui
  )
  build windows package-windows
  cp "$work/windows/$name-setup.exe" "$work/windows/$name-windows-x64.zip" "$out/"
  ;;
esac

case " $parts " in *" web "*)
  emcmake cmake -S "$src" -B "$work/web" -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=OFF -DQUORVANE_GUI=OFF \
    >"$work/web.log" 2>&1 || { cat "$work/web.log" >&2; exit 1; }
  build web quorvane_site
  rm -rf "$work/web-zip"
  mkdir -p "$work/web-zip"
  cp -R "$work/web/site" "$work/web-zip/$name-web"
  zip_tree "$work/web-zip" "$out/$name-web.zip"
  ;;
esac

if [ "$parts" = "source deb windows web" ]; then
  (cd "$out" && sha256sum -- * >SHA256SUMS)
fi
echo "release.sh: $out"
ls -l "$out"
