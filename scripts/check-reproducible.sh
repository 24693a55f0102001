#!/bin/sh
# Makes two releases of this clone's commit, each from a clone of its own in folders of different
# names and depths, one after the other (so at different times), the second as another user
# when one is named, and compares the two folders file by file with cmp. Where a file differs,
# diffoscope (when installed) writes what differs into WORK/diffoscope-FILE.txt.
# Usage: check-reproducible.sh [--parts LIST] [--cli-only] [--working-tree] WORK [USER]
#   USER            a user (not root) to make the second release as, with runuser; needs root
#                   and clones (not with --working-tree)
#   --parts         only those downloads (release.sh --parts)
#   --cli-only      the packages with quorvane-cli alone (release.sh --cli-only)
#   --working-tree  both releases of this tree as it is, uncommitted changes too, without clones
set -eu
options=""
clones=yes
while [ $# -gt 0 ]; do
  case $1 in
    --parts) options="$options --parts '$2'"; shift 2 ;;
    --working-tree) options="$options --working-tree"; clones=no; shift ;;
    --cli-only) options="$options --cli-only"; shift ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { sed -n '2,/^set -eu/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
here=$(cd "$(dirname "$0")/.." && pwd)
user=${2:-}
rm -rf "$1"
mkdir -p "$1"
work=$(cd "$1" && pwd)
one=$work/one/quorvane
two=$work/second/clone-of-quorvane

release() {  # FOLDER [runuser -u USER --]
  folder=$1
  shift
  tree=$folder
  [ $clones = yes ] || tree=$here
  eval "$* \"\$tree/scripts/release.sh\" $options \"\$folder/build-release\" \"\$folder/dist\""
}
if [ $clones = yes ]; then
  commit=$(git -C "$here" rev-parse HEAD)
  for clone in "$one" "$two"; do
    git clone -q --no-hardlinks "$here" "$clone"
    git -C "$clone" checkout -q --detach "$commit"
  done
fi
echo "check-reproducible.sh: the first release, in $one"
release "$one"
echo "check-reproducible.sh: the second release, in $two${user:+, as $user}"
if [ -n "$user" ]; then
  chown -R "$user" "$work/second"
  release "$two" runuser -u "$user" -- env HOME="$work/second"
else
  release "$two"
fi

version=$(sed -n 's/^project(quorvane VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
a=$one/dist/quorvane-$version
b=$two/dist/quorvane-$version
status=0
[ "$(ls "$a")" = "$(ls "$b")" ] || { echo "DIFFERENT: the two folders hold different files"; status=1; }
for file in $(ls "$a"); do
  if cmp -s "$a/$file" "$b/$file"; then
    echo "same:      $file"
  else
    echo "DIFFERENT: $file ($(cmp "$a/$file" "$b/$file" 2>&1 | sed 's/.*differ: //'))"
    status=1
    if command -v diffoscope >/dev/null 2>&1; then
      diffoscope --text "$work/diffoscope-$file.txt" "$a/$file" "$b/$file" >/dev/null 2>&1 || true
      echo "           what differs: $work/diffoscope-$file.txt"
    fi
  fi
done
[ $status -eq 0 ] && echo "check-reproducible.sh: the two releases are the same, byte for byte"
exit $status
