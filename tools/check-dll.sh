#!/usr/bin/env bash
# Checks a cross-built Vesperlink.dll: it exports exactly the nine names,
# undecorated, and imports nothing but kernel32 and the C runtime.
#   tools/check-dll.sh i686|x86_64 path/to/Vesperlink.dll
set -euo pipefail
arch=$1 dll=$2
dump=$("$arch-w64-mingw32-objdump" -p "$dll")

expected="VPGetInfo VPGetPlayStatus VPGetStatus VPGetTimeSetting VPInit VPIsSupport VPSetPlayStatus VPSetStatus VPSetTimeSetting"
# The export name table lists "[ordinal] name" rows after its heading.
exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
  | sed -n 's/^\s*\[\s*[0-9]*\] //p' | sort | tr '\n' ' ' | sed 's/ $//')
if [ "$exports" != "$expected" ]; then
  echo "$dll: exports are [$exports], expected [$expected]" >&2
  exit 1
fi

imports=$(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for name in $imports; do
  case "$name" in
    kernel32.dll|msvcrt.dll|api-ms-win-crt-*.dll|ucrtbase.dll) ;;
    *) echo "$dll: imports $name" >&2; exit 1 ;;
  esac
done
echo "$dll ($arch): exports the nine names; imports $(echo $imports)"
