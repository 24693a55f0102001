#!/bin/sh
# Checks each Windows program of the build: it imports only DLLs that come with Windows (the C++
# run-time is linked in), carries its manifest and version resource, and lvl-xp.txt lies beside
# it. Usage: check-exe.sh OBJDUMP PROGRAM.exe...
set -eu
objdump=$1
shift
fail() { echo "FAIL: $*"; exit 1; }
# Windows' own DLLs that the programs may use.
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll msvcrt.dll ole32.dll oleaut32.dll uxtheme.dll shcore.dll version.dll "
for exe in "$@"; do
  [ -f "$exe" ] || fail "$exe is missing"
  [ -f "$(dirname "$exe")/lvl-xp.txt" ] || fail "no lvl-xp.txt beside $exe"
  dump=$("$objdump" -p "$exe")
  imports=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || fail "$exe imports nothing: not a Windows program?"
  for dll in $imports; do
    case "$system_dlls" in
      *" $dll "*) ;;
      *) fail "$(basename "$exe") imports $dll, which Windows does not have" ;;
    esac
  done
  # The resource directory holds the icon (3, 14), the version (16) and the manifest (24).
  types=$(printf '%s\n' "$dump" | sed -n '/The .rsrc/,/Resources start/p' | sed -n 's/^[0-9a-f]*   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' | tr '\n' ' ')
  for type in 3 e 10 18; do
    case " $types" in *" $type "*) ;; *) fail "$(basename "$exe") lacks resource type 0x$type (has: $types)" ;; esac
  done
  for marker in "Microsoft.Windows.Common-Controls" "PerMonitorV2" "asInvoker"; do
    grep -q "$marker" "$exe" || fail "$(basename "$exe") lacks $marker in its manifest"
  done
  echo "$(basename "$exe"): $(wc -c <"$exe") bytes, imports" $imports
done
