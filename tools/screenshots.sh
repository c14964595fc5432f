#!/usr/bin/env bash
# Takes the screenshots of Vesperin's windows that the README, docs/windows.md
# and docs/music-and-options.md show: the Windows program that tools/run.sh
# builds (build-run-i686, on the emulated notebook) runs under Wine on a
# private 1024 x 768 X server, in a throwaway 32-bit prefix, against a
# temporary machine image (the emulator's default notebook); xdotool presses
# the panel's arrows to open each dialog in turn, and ImageMagick writes the
# PNGs into docs/screenshots/.
#   tools/screenshots.sh [BUILD_DIR [OUT_DIR]]
# BUILD_DIR (default: build-run-i686) holds bin/Vesperin.exe, or is the
# folder of a Vesperin.exe and its library (the release's build on the
# emulated notebook); OUT_DIR defaults to docs/screenshots. A 32-bit prefix
# made already may be named in VESPERIN_SCREENSHOTS_PREFIX.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build-run-i686}")
bin=$build/bin
[ -f "$bin/Vesperin.exe" ] || bin=$build
[ -f "$bin/Vesperin.exe" ] || { echo "no $build/bin/Vesperin.exe: run tools/run.sh (or build it) first" >&2; exit 1; }
out=$(realpath -m "${2:-$here/docs/screenshots}")

if [ -z "${VESPERIN_SCREENSHOTS_INSIDE:-}" ]; then
  VESPERIN_SCREENSHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$out"
fi

work=$(mktemp -d)
pid=
export WINEPREFIX=${VESPERIN_SCREENSHOTS_PREFIX:-$work/prefix} WINEARCH=win32 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  wineserver --kill 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${VESPERIN_SCREENSHOTS_PREFIX:-}" ]; then
  echo "Making a Wine prefix for the screenshots (about half a minute)"
  (unset DISPLAY; wineboot --init >/dev/null 2>&1)
  wineserver --wait
fi
# The Windows program reads the image through Wine's drive Z:, the root.
image=$work/notebook.json
export VESPERIN_EMULATOR_IMAGE="Z:${image//\//\\}"
mkdir -p "$out"

# The window id of the visible window titled exactly $1, waiting up to 60 s
# (the first, where several are).
find_window() {
  local ids
  ids=$(timeout 60 xdotool search --sync --onlyvisible --name "^$1\$")
  echo "${ids%%$'\n'*}"
}
geometry() {
  local X= Y= WIDTH= HEIGHT= WINDOW SCREEN shell
  [ -n "$1" ] && shell=$(xdotool getwindowgeometry --shell "$1") ||
    { echo "no window to measure" >&2; return 1; }
  eval "$shell"
  echo "$X $Y $WIDTH $HEIGHT"
}
# The screen rectangle around the given windows, with a margin, for -crop.
around() {
  local left=100000 top=100000 right=0 bottom=0 x y w h window
  for window in "$@"; do
    read -r x y w h < <(geometry "$window")
    ((x < left)) && left=$x
    ((y < top)) && top=$y
    ((x + w > right)) && right=$((x + w))
    ((y + h > bottom)) && bottom=$((y + h))
  done
  left=$((left > 12 ? left - 12 : 0)) top=$((top > 12 ? top - 12 : 0))
  right=$((right + 12)) bottom=$((bottom + 12))
  echo "$((right - left))x$((bottom - top))+$left+$top"
}
shoot() {
  local file=$1
  shift
  import -window root -crop "$(around "$@")" +repage "$out/$file"
  echo "wrote $out/$file"
}
# The pointer away from every window, so that no control shows its hover look.
park_pointer() {
  xdotool mousemove 1020 760
  sleep 1
}

# The waiting window stands alone only while the drive search runs, half a
# second or so: it is taken as soon as it shows. The task bar entry, also
# titled "Vesperin", has no size and is passed over.
waiting_shot() {
  local window w h
  for _ in $(seq 400); do
    for window in $(xdotool search --onlyvisible --name '^Vesperin$' 2>/dev/null); do
      read -r _ _ w h < <(geometry "$window") || continue
      if ((w > 100 && h > 20)); then
        shoot waiting.png "$window" && return 0
      fi
    done
    sleep 0.02
  done
  return 1
}

xdotool mousemove 1020 760
(cd "$bin" && exec wine ./Vesperin.exe) &
pid=$!
waiting_shot || echo "the waiting window went by too fast; waiting.png is unchanged" >&2

panel=$(find_window frmVesperin)
# A picture is taken once the screen has stopped changing.
settle() {
  local before after
  before=$(import -window root rgb:- | md5sum)
  for _ in $(seq 20); do
    sleep 0.5
    after=$(import -window root rgb:- | md5sum)
    [ "$after" != "$before" ] || return 0
    before=$after
  done
}

# Each arrow opens its dialog beside the panel, closing the one before:
# the alarm time dialog (beside "Time for Next Alarm"), the music selection
# dialog (beside "Music"), the options dialog (beside "Options"). The points
# are in the panel's 330 x 443 client area; any frame is as wide on each side,
# the caption on top.
read -r x y w h < <(geometry "$panel")
px=$((x + (w - 330) / 2)) py=$((y + h - 443 - (w - 330) / 2))
# Under Wine on an X server the first press on the panel while a dialog is
# active only activates the panel; the arrow is pressed again then.
open_dialog() {
  local try
  dialog=
  for try in 1 2 3; do
    xdotool mousemove $((px + $2)) $((py + $3)) click 1
    for _ in $(seq 30); do
      dialog=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
      [ -z "$dialog" ] || break 2
      sleep 0.1
    done
  done
  [ -n "$dialog" ] || { echo "the dialog \"$1\" never showed" >&2; exit 1; }
  park_pointer
  settle
}
open_dialog "Set Time" 209 210
shoot panel-and-set-time.png "$panel" "$dialog"
open_dialog "Music Selection" 116 286
shoot panel-and-music.png "$panel" "$dialog"
open_dialog " Options" 219 285
shoot panel-and-options.png "$panel" "$dialog"
# The options arrow again closes its dialog: the panel alone, last, when it
# has long painted itself.
for _ in 1 2 3; do
  xdotool mousemove $((px + 219)) $((py + 285)) click 1
  sleep 2
  xdotool search --onlyvisible --name '^ Options$' >/dev/null 2>&1 || break
done
park_pointer
settle
shoot panel.png "$panel"
