#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the cross builds
# (CMAKE_CROSSCOMPILING_EMULATOR) and a handy way to run one by hand.
#   tools/wine-run.sh program.exe [arguments...]
# WINEPREFIX and WINEARCH say which Windows to run on; without them a 64-bit
# prefix of one's own in /tmp is made on first use (i686 programs then run
# under WOW64). The X display is the caller's: window tests need one
# (xvfb-run). With VESPERIN_WINE_LOG_DIR set, the program's output is also
# kept in that folder, one file per program, for the test summaries.
set -uo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs when a prefix is made or used.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX=/tmp/vesperin-wine-$(id -u)-win64 WINEARCH=win64
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX (once, about half a minute)" >&2
  wineboot --init >/dev/null 2>&1 && wineserver --wait
  "$(dirname "$0")/wine-unmanaged.sh" "$WINEPREFIX"
fi
program=$1
shift
if [ -n "${VESPERIN_WINE_LOG_DIR:-}" ]; then
  mkdir -p "$VESPERIN_WINE_LOG_DIR"
  log="$VESPERIN_WINE_LOG_DIR/$(basename "$program" .exe).log"
  wine "$program" "$@" 2>&1 | tee "$log"
  exit "${PIPESTATUS[0]}"
fi
exec wine "$program" "$@"
