#!/usr/bin/env bash
# Checks what shipped i686 Windows binaries import: every imported function
# must be in tools/windows-imports.txt with a version no newer than Windows XP
# SP3 (5.1.3), and nothing may be imported by ordinal alone. With --gui, the
# first binary must also be a windowed program for subsystem 5.01 or older
# that imports only the system's own DLLs and not Vesperlink.
#   tools/check-imports.sh [--gui PROGRAM.exe] BINARY...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list="$here/windows-imports.txt"
objdump=i686-w64-mingw32-objdump

gui=()
if [ "${1:-}" = "--gui" ]; then
  gui=("$2")
  shift 2
fi

# The DLLs every Windows from XP SP3 on has in its system folder.
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll advapi32.dll ole32.dll oleaut32.dll "
system_dlls+="winmm.dll msvcrt.dll oleacc.dll msimg32.dll shell32.dll comdlg32.dll version.dll uxtheme.dll "

# Version "5.1.2" as a number that sorts: 50102.
version_number() {
  local major minor sp
  IFS=. read -r major minor sp <<<"$1"
  echo $((major * 10000 + ${minor:-0} * 100 + ${sp:-0}))
}
limit=$(version_number 5.1.3)

# "dll function" per import of one binary; "dll #ordinal" for imports by
# number alone.
imports_of() {
  "$objdump" -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3); next }
    /^[[:space:]]*$/ { dll = "" }
    dll && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {
      if (NF >= 3) print dll, $3; else print dll, "#" $2
    }'
}

failed=0
fail() { echo "  FAIL: $*" >&2; failed=1; }

check_binary() {
  local binary=$1 dll function entry version count=0
  echo "$(basename "$binary"):"
  while read -r dll function; do
    count=$((count + 1))
    entry=$(awk -v d="$dll" -v f="$function" '$1 == d && $2 == f { print $3; exit }' "$list")
    if [ -z "$entry" ]; then
      fail "$(basename "$binary") imports $dll $function, which tools/windows-imports.txt does not list"
      continue
    fi
    version=$(version_number "$entry")
    if [ "$version" -gt "$limit" ]; then
      fail "$(basename "$binary") imports $dll $function, first in Windows $entry (newer than XP SP3)"
    fi
  done < <(imports_of "$binary")
  echo "  $count imported functions from $(imports_of "$binary" | awk '{print $1}' | sort -u | xargs)"
}

check_gui() {
  local program=$1 dump subsystem major minor dll before=$failed
  failed=0
  dump=$("$objdump" -p "$program")
  subsystem=$(sed -n 's/^Subsystem\s*\([0-9a-f]*\).*/\1/p' <<<"$dump")
  major=$(sed -n 's/^MajorSubsystemVersion\s*//p' <<<"$dump")
  minor=$(sed -n 's/^MinorSubsystemVersion\s*//p' <<<"$dump")
  [ "$((16#$subsystem))" -eq 2 ] || fail "$(basename "$program") is not a windowed program (subsystem $subsystem)"
  [ $((major * 100 + minor)) -le 501 ] ||
    fail "$(basename "$program") needs subsystem version $major.$minor; Windows XP loads 5.01 or older"
  while read -r dll; do
    case "$system_dlls" in
      *" $dll "*) ;;
      *) [ "$dll" = vesperlink.dll ] &&
        fail "$(basename "$program") imports Vesperlink; it must load it at run time from its folder" ;;&
      *" $dll "*) ;;
      *) fail "$(basename "$program") imports $dll, which is not a system DLL" ;;
    esac
  done < <(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z')
  [ "$failed" -ne 0 ] ||
    echo "  windowed program, subsystem $major.$(printf %02d "$minor"), imports system DLLs only"
  [ "$before" -eq 0 ] || failed=1
}

for binary in "${gui[@]}" "$@"; do
  check_binary "$binary"
done
[ ${#gui[@]} -eq 0 ] || check_gui "${gui[0]}"
if [ "$failed" -ne 0 ]; then
  echo "The import check failed." >&2
  exit 1
fi
echo "Every import is on Windows XP SP3."
