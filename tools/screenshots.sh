#!/usr/bin/env bash
# Takes the screenshots of Vesperin's windows that docs/windows.md and
# docs/music-and-options.md show: the program runs from the build tree under a
# private X server against a temporary machine image (the emulator's default
# notebook), xdotool presses the panel's arrows to open each dialog in turn,
# and ImageMagick writes the PNGs into docs/screenshots/.
#   tools/screenshots.sh [BUILD_DIR]     (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
program=$build/bin/vesperin
[ -x "$program" ] || { echo "no $program: build it first (tools/build.sh build)" >&2; exit 1; }

if [ -z "${VESPERIN_SCREENSHOTS_INSIDE:-}" ]; then
  # A 1024 x 768 screen with a white root window, so that the shaped
  # outlines stand out.
  VESPERIN_SCREENSHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -wr" "$0" "$build"
fi

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export VESPERIN_EMULATOR_IMAGE=$work/notebook.json
export QT_QPA_PLATFORM=xcb
out=$here/docs/screenshots
mkdir -p "$out"

"$program" &
pid=$!

# The window id of the visible window titled exactly $1, waiting up to 20 s.
find_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}
# Crops the screen to the rectangle around the given windows, with a margin.
shoot() {
  local file=$1; shift
  local left=100000 top=100000 right=0 bottom=0 x y w h
  for window in "$@"; do
    read -r x y w h < <(geometry "$window")
    (( x < left )) && left=$x
    (( y < top )) && top=$y
    (( x + w > right )) && right=$((x + w))
    (( y + h > bottom )) && bottom=$((y + h))
  done
  left=$((left > 12 ? left - 12 : 0)); top=$((top > 12 ? top - 12 : 0))
  right=$((right + 12)); bottom=$((bottom + 12))
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out/$file"
  echo "wrote docs/screenshots/$file"
}

# The waiting window stands alone only while the drive search runs.
waiting=$(timeout 2 xdotool search --sync --onlyvisible --name '^Vesperin$' | head -n 1 || true)
[ -n "$waiting" ] && shoot waiting.png "$waiting"

panel=$(find_window frmVesperin)
sleep 0.5 # let the panel paint itself
shoot panel.png "$panel"

# The arrow beside "Time for Next Alarm" opens the alarm time dialog.
read -r px py _ _ < <(geometry "$panel")
xdotool mousemove $((px + 209)) $((py + 210)) click 1
dialog=$(find_window "Set Time")
xdotool mousemove 0 0
sleep 0.5
shoot panel-and-set-time.png "$panel" "$dialog"

# The arrow beside "Music" opens the music selection dialog, closing the
# alarm time dialog; the arrow beside "Options" then the options dialog.
xdotool mousemove $((px + 116)) $((py + 286)) click 1
dialog=$(find_window "Music Selection")
xdotool mousemove 0 0
sleep 0.5
shoot panel-and-music.png "$panel" "$dialog"

xdotool mousemove $((px + 219)) $((py + 285)) click 1
dialog=$(find_window " Options")
xdotool mousemove 0 0
sleep 0.5
shoot panel-and-options.png "$panel" "$dialog"
