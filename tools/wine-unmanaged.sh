#!/usr/bin/env bash
# Tells a Wine prefix not to hand its windows to a window manager:
#   tools/wine-unmanaged.sh PREFIX
# The tests run on an X server without a window manager, where Wine waits
# two seconds for one to acknowledge every window it hides (its log says
# "wait_for_withdrawn_state ... wait timed out"): the start of the program
# alone hides the waiting window and three dialogs. Unmanaged windows are
# shown and hidden at once; Wine still moves, sizes, activates and minimises
# them itself, and Vesperin's windows draw their own frames.
set -euo pipefail
export WINEPREFIX=$1
(unset DISPLAY WAYLAND_DISPLAY
 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f) >/dev/null 2>&1
wineserver --wait
