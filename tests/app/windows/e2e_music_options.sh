#!/usr/bin/env bash
# Runs Vesperin.exe under Wine against a fresh emulated notebook on an X
# server, operates the music selection and options dialogs with real mouse
# clicks and key presses (xdotool), and checks the machine image afterwards:
# the chosen track and repeat mode stored, Play and Test heard (playback and
# mixer level), Stop silencing them.
#   e2e_music_options.sh PROGRAM [WINEPREFIX]
# PROGRAM is a Vesperin.exe whose drive search, CD player and mixer are the
# emulated notebook's, with its Vesperlink.dll beside it. Answers 77
# (skipped) when wine, xdotool or jq is missing.
set -euo pipefail
program=$(realpath "$1")
for tool in wine xdotool jq; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "skipped: no X server"; exit 77; }
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX=${2:-${WINEPREFIX:-$HOME/.wine}}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
image=$work/notebook.json
# The Windows program reads the image through Wine's drive Z:, the root.
export VESPERIN_EMULATOR_IMAGE="Z:${image//\//\\}"

fail() {
  echo "FAIL: $*" >&2
  [ -f "$image" ] && jq -c '.hardware.playback, .hardware.mixer' "$image" >&2
  exit 1
}
# The value the firmware holds for alarm item $1 (the low half of its id).
item() {
  jq -r --argjson n "$1" '.firmware.methods[] | select(.id % 65536 == $n) | .value // 0' "$image"
}
playback() {
  jq -cS '.hardware.playback' "$image"
}
mixer_level() {
  jq -r '.hardware.mixer.level // 0' "$image"
}
# Waits up to 10 s for the shell expression $2 to print $3; $1 names the check.
expect() {
  local what=$1 probe=$2 wanted=$3 got=
  for _ in $(seq 100); do
    got=$(eval "$probe" 2>/dev/null || true)
    [ "$got" = "$wanted" ] && { echo "ok: $what"; return 0; }
    sleep 0.1
  done
  fail "$what: wanted $wanted, got $got"
}
window() {
  timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}
# The screen position of the client area of window $1, whose client area is
# $2 pixels wide and $3 high: the frame Wine draws is as wide on each side
# and the caption sits on top.
client_origin() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local border=$(((WIDTH - $2) / 2))
  echo "$((X + border)) $((Y + HEIGHT - $3 - border))"
}
# Clicks at a screen point and gives the program a moment to answer, also on
# a busy machine.
click() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.8
}

(cd "$(dirname "$program")" && exec wine "$program") &
pid=$!

panel=$(window frmVesperin) || fail "the panel never showed"
read -r px py < <(client_origin "$panel" 330 443)
sleep 0.5

# Music: the arrow beside "Music" opens the dialog.
click $((px + 116)) $((py + 286))
music=$(window "Music Selection") || fail "the music selection dialog never showed"
read -r mx my < <(client_origin "$music" 276 340)
# The first row, then two rows down: Track3.
click $((mx + 80)) $((my + 114))
xdotool key Down Down
sleep 0.8
click $((mx + 191)) $((my + 89)) # Play
expect "Play plays the chosen track to the end" playback '{"from":3,"letter":"D","to":0}'
click $((mx + 225)) $((my + 89)) # Stop
expect "Stop stops it" playback null
click $((mx + 79)) $((my + 297)) # OK
expect "OK stores track 3 (counted from 0)" "item 12" 2
expect "OK keeps the drive" "item 11" 2

# Options: the arrow beside "Options" opens the dialog.
click $((px + 219)) $((py + 285))
options=$(window " Options") || fail "the options dialog never showed"
read -r ox oy < <(client_origin "$options" 349 239)
# The repeat mode list: open it and choose the entry below "Single", "All".
click $((ox + 199)) $((oy + 81))
xdotool key Down Return
sleep 0.8
click $((ox + 175)) $((oy + 150)) # volume up: 9 to 10
expect "the volume arrow sets the mixer at once" mixer_level 43690
click $((ox + 237)) $((oy + 159)) # Test
expect "Test plays the current track to the end" playback '{"from":3,"letter":"D","to":0}'
click $((ox + 237)) $((oy + 159)) # Stop
expect "Stop ends the test" playback null
click $((ox + 116)) $((oy + 196)) # OK
expect "OK stores the repeat mode All" "item 13" 2
expect "OK stores volume 10" "item 15" 9
expect "OK keeps the track" "item 12" 2

# The panel's close button ends the program.
click $((px + 244)) $((py + 176))
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
wait "$pid" || fail "the program ended with an error"
pid=
echo "passed"
