#!/bin/sh
# The Windows installer under Wine, as a player meets it: a silent per-user installation into a
# folder of the player's choice, the installed quorvane-cli.exe reading the lvl-xp.txt beside it,
# the entry among the installed apps, an installation over the first one that keeps the player's
# edited table, and the uninstaller removing what was installed.
# Usage: check-installer.sh WINE_RUN PREFIX WINDOWS_BUILD_DIR VERSION
set -eu
wine_run=$1 prefix=$2 build=$3 version=$4
setup="$build/quorvane-$version-setup.exe"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
windows_dir='C:\QuorvaneTest\Programs\Quorvane'
unix_dir="$prefix/drive_c/QuorvaneTest/Programs/Quorvane"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() { echo "FAIL: $*"; exit 1; }
run() {  # runs a Windows program; stdout in $out/stdout, CR LF read as LF
  status=0
  sh "$wine_run" "$prefix" "$@" >"$out/stdout.crlf" 2>"$out/stderr" || status=$?
  [ $status -eq 77 ] && { cat "$out/stdout.crlf"; exit 77; }
  tr -d '\r' <"$out/stdout.crlf" >"$out/stdout"
  return $status
}
[ -f "$setup" ] || fail "$setup is missing"

rm -rf "$prefix/drive_c/QuorvaneTest"
run reg delete "$key" /f >/dev/null 2>&1 || true

# 1. Silent installation into the chosen folder. (/D= must come last and unquoted, so the folder
# has no blanks: Wine quotes an argument that has.)
run "$setup" /S "/D=$windows_dir" || fail "the installer ended with status $status"
files="quorvane-cli.exe lvl-xp.txt README.txt Uninstall.exe"
[ -f "$build/bin/quorvane.exe" ] && files="quorvane.exe $files"
for file in $files; do
  [ -f "$unix_dir/$file" ] || fail "the installer did not install $file"
done
cmp -s "$unix_dir/lvl-xp.txt" "$build/bin/lvl-xp.txt" || fail "the installed lvl-xp.txt is not the shipped table"
find "$prefix/drive_c/users" -path '*Start Menu/Programs/Quorvane.lnk' | grep -q . ||
  fail "no Start menu entry Quorvane.lnk"

# 2. The entry among the installed apps.
run reg query "$key" || fail "the uninstall entry $key is missing"
tr -d '\r' <"$out/stdout.crlf" >"$out/entry"
for value in "DisplayName REG_SZ Quorvane" "DisplayVersion REG_SZ $version" \
             "UninstallString REG_SZ \"$windows_dir\\Uninstall.exe\""; do
  # reg prints "    Name    TYPE    data"; compared with single blanks.
  sed 's/^[[:space:]]*//; s/[[:space:]]\{2,\}/ /g' "$out/entry" | grep -qF "$value" ||
    fail "the uninstall entry lacks \"$value\":$(cat "$out/entry")"
done

# 3. The installed program reads the lvl-xp.txt beside it, also once the player has edited it;
# a new installation keeps the edited one.
head -n 60 "$build/bin/lvl-xp.txt" >"$unix_dir/lvl-xp.txt"
run "$windows_dir\\quorvane-cli.exe" --level 60 --scalps 10 --part maces && fail "a 60-level table gave a result"
grep -qF "$windows_dir\\lvl-xp.txt has no XP for level 61" "$out/stderr" ||
  fail "the installed program did not read the lvl-xp.txt beside it: $(cat "$out/stderr")"
run "$setup" /S "/D=$windows_dir" || fail "the second installation ended with status $status"
[ "$(wc -l <"$unix_dir/lvl-xp.txt")" -eq 60 ] || fail "installing again replaced the player's lvl-xp.txt"

# 4. The uninstaller (it runs from a copy in the temporary folder; wine-run.sh waits for it).
touch "$unix_dir/notes of the player.txt"
run "$windows_dir\\Uninstall.exe" /S || fail "the uninstaller ended with status $status"
left=$(cd "$unix_dir" && ls -A)
[ "$left" = "notes of the player.txt" ] || fail "after uninstalling, the folder holds: $left"
run reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
find "$prefix/drive_c/users" -path '*Start Menu/Programs/Quorvane.lnk' | grep -q . &&
  fail "the Start menu entry is still there"
rm -rf "$prefix/drive_c/QuorvaneTest"
echo "installed, run, edited, installed again and uninstalled: $setup"
