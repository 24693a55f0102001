#!/bin/sh
# The Windows installer under Wine, as a player meets it: a silent per-user installation into a
# folder of the player's choice, the installed quorvane-cli.exe reading the lvl-xp.txt beside it,
# the entry among the installed apps, an installation over the first one that keeps the player's
# edited table, a table saved as UTF-16 ("Unicode"), quorvane-cli.exe /?, and the uninstaller
# removing what was installed: after an installation into the default folder and its uninstaller
# (and a restart of Windows, wineboot -r, for the uninstaller's own temporary folder), the files
# and the HKCU registry of the prefix are as they were before.
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
snapshot() {  # the files of drive C: (but C:\windows) and the HKCU registry, into $out/$1.*
  (cd "$prefix/drive_c" && find . -path ./windows -prune -o -print | sort) >"$out/$1.files"
  run reg export HKCU 'C:\quorvane-hkcu.reg' /y >/dev/null || fail "reg export ended with status $status"
  iconv -f UTF-16 -t UTF-8 "$prefix/drive_c/quorvane-hkcu.reg" | tr -d '\r' >"$out/$1.reg"
  rm -f "$prefix/drive_c/quorvane-hkcu.reg"
}
snapshot before
# True when every line of the file ends with CR LF.
has_crlf() { [ -s "$1" ] && [ "$(grep -c "$(printf '\r')\$" "$1")" -eq "$(wc -l <"$1")" ]; }

# 1. Silent installation into the chosen folder. (/D= must come last and unquoted, so the folder
# has no blanks: Wine quotes an argument that has.)
run "$setup" /S "/D=$windows_dir" || fail "the installer ended with status $status"
files="quorvane-cli.exe lvl-xp.txt README.txt Uninstall.exe"
[ -f "$build/bin/quorvane.exe" ] && files="quorvane.exe $files"
for file in $files; do
  [ -f "$unix_dir/$file" ] || fail "the installer did not install $file"
done
tr -d '\r' <"$unix_dir/lvl-xp.txt" | cmp -s - "$build/bin/lvl-xp.txt" ||
  fail "the installed lvl-xp.txt is not the shipped table"
for file in lvl-xp.txt README.txt; do
  has_crlf "$unix_dir/$file" || fail "the installed $file has lines not ended by CR LF"
done
grep -q 'Uninstall.exe' "$unix_dir/README.txt" || fail "the installed README.txt does not speak of the uninstaller"
find "$prefix/drive_c/users" -path '*Start Menu/Programs/Quorvane.lnk' | grep -q . ||
  fail "no Start menu entry Quorvane.lnk"

# 2. The entry among the installed apps.
run reg query "$key" || fail "the uninstall entry $key is missing"
tr -d '\r' <"$out/stdout.crlf" >"$out/entry"
for value in "DisplayName REG_SZ Quorvane" "DisplayVersion REG_SZ $version" "Publisher REG_SZ The Quorvane developers" \
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
# A table saved as "Unicode" (UTF-16 with its byte-order mark, CR LF) reads as the same table.
run "$windows_dir\\quorvane-cli.exe" --level 55 --scalps 10 --part maces || fail "the 60-level table failed"
cp "$out/stdout" "$out/expected"
{ printf '\377\376'; sed 's/$/\r/' "$unix_dir/lvl-xp.txt" | iconv -f UTF-8 -t UTF-16LE; } >"$unix_dir/lvl-xp.txt.utf16"
mv "$unix_dir/lvl-xp.txt.utf16" "$unix_dir/lvl-xp.txt"
run "$windows_dir\\quorvane-cli.exe" --level 55 --scalps 10 --part maces || fail "the UTF-16 table: $(cat "$out/stderr")"
cmp -s "$out/stdout" "$out/expected" || fail "the UTF-16 table gave: $(cat "$out/stdout")"
# "/?" asks for the help, as Windows programs are asked.
run "$windows_dir\\quorvane-cli.exe" "/?" || fail "/? ended with status $status: $(cat "$out/stderr")"
cp "$out/stdout" "$out/slash-help"
run "$windows_dir\\quorvane-cli.exe" --help || fail "--help ended with status $status"
cmp -s "$out/stdout" "$out/slash-help" || fail "/? printed: $(cat "$out/slash-help")"
run "$setup" /S "/D=$windows_dir" || fail "the second installation ended with status $status"
[ "$(iconv -f UTF-16 -t UTF-8 "$unix_dir/lvl-xp.txt" | wc -l)" -eq 60 ] ||
  fail "installing again replaced the player's lvl-xp.txt"

# 4. The uninstaller (it runs from a copy in the temporary folder; wine-run.sh waits for it).
touch "$unix_dir/notes of the player.txt"
run "$windows_dir\\Uninstall.exe" /S || fail "the uninstaller ended with status $status"
left=$(cd "$unix_dir" && ls -A)
[ "$left" = "notes of the player.txt" ] || fail "after uninstalling, the folder holds: $left"
run reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
find "$prefix/drive_c/users" -path '*Start Menu/Programs/Quorvane.lnk' | grep -q . &&
  fail "the Start menu entry is still there"
rm -rf "$prefix/drive_c/QuorvaneTest"  # the player's folder now, with the player's notes

# 5. Nothing left behind: an installation into the default folder, then its uninstaller.
run "$setup" /S || fail "the installation into the default folder ended with status $status"
default_dir=$(find "$prefix/drive_c/users" -path '*/AppData/Local/Programs/Quorvane' -type d)
[ -f "$default_dir/Uninstall.exe" ] || fail "nothing installed into %LOCALAPPDATA%\\Programs\\Quorvane"
run "$(echo "C:${default_dir#"$prefix/drive_c"}" | tr / '\\')\\Uninstall.exe" /S ||
  fail "the uninstaller ended with status $status"
run wineboot -r || fail "wineboot -r ended with status $status"
snapshot after
diff "$out/before.files" "$out/after.files" >"$out/files.diff" ||
  fail "the files of the prefix differ after uninstalling:
$(cat "$out/files.diff")"
diff "$out/before.reg" "$out/after.reg" >"$out/reg.diff" ||
  fail "the registry differs after uninstalling:
$(cat "$out/reg.diff")"
echo "installed, run, edited, read as UTF-16, installed again, uninstalled, and nothing left: $setup"
