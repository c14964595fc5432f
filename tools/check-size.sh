#!/usr/bin/env bash
# Checks that the program and its library, as shipped, stay small enough to
# download and carry on a floppy's worth of space: together at most 2 MiB.
#   tools/check-size.sh BIN_DIR
set -euo pipefail
dir=$1
limit=$((2 * 1024 * 1024))
total=0
for name in Vesperin.exe Vesperlink.dll; do
  if [ ! -f "$dir/$name" ]; then
    echo "$dir/$name: missing" >&2
    [ "$name" = Vesperin.exe ] && continue
    exit 1
  fi
  size=$(stat -c %s "$dir/$name")
  printf '  %-16s %8d bytes\n' "$name" "$size"
  total=$((total + size))
done
printf '  %-16s %8d bytes of %d allowed\n' together "$total" "$limit"
if [ "$total" -gt "$limit" ]; then
  echo "Vesperin.exe and Vesperlink.dll together exceed 2 MiB" >&2
  exit 1
fi
