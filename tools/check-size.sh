#!/usr/bin/env bash
# Checks that the program and its library, as shipped, stay small: together
# at most 2 MiB (VESPERIN_SIZE_LIMIT, in bytes, moves the limit for a run that
# must say why it needs more).
#   tools/check-size.sh BIN_DIR
set -euo pipefail
dir=$1
limit=${VESPERIN_SIZE_LIMIT:-$((2 * 1024 * 1024))}
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
  echo "Vesperin.exe and Vesperlink.dll together exceed $limit bytes." >&2
  echo "The pictures alone take $(du -cb "$dir"/../app/artwork/bmp/*/*.bmp 2>/dev/null | tail -n 1 | cut -f1) bytes as 24-bit bitmaps." >&2
  exit 1
fi
