#!/usr/bin/env bash
# Installs what is missing, builds Vesperin for Windows on the emulated
# notebook and starts it under Wine. The notebook's machine image is the
# Linux user's own ($XDG_STATE_HOME/vesperin-emulator/notebook.json, or the
# same below ~/.local/state, or $VESPERIN_EMULATOR_IMAGE), made on first use,
# so that vpalarm and the tests on Linux see what the program changed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh"

# The Win32 program, on the emulated notebook, as it ships (the -win32
# compilers, no tests), on a 32-bit Windows of the user's own, kept between
# runs. A machine whose kernel runs no 32-bit x86 program has no 32-bit Wine
# (tools/host-i386.sh): there the same program is built for 64-bit Windows.
arch=i686 winearch=win32
if [ "$("$here/tools/host-i386.sh")" != native ]; then
  arch=x86_64 winearch=win64
  export PATH="$here/tools/wine64-only:$PATH"
  echo "This machine runs no 32-bit Wine: starting the x86_64 build of Vesperin.exe instead."
fi
dir=build-run-$arch
"$here/tools/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Release -DVESPERIN_TESTS=OFF \
  -DVESPERIN_EMULATED_DEVICE=ON -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake"

export WINEPREFIX=${VESPERIN_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/vesperin/wine-$winearch}
export WINEARCH=$winearch WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "First run: making the Wine prefix $WINEPREFIX (about half a minute)."
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi

# The image as Wine names it: Z: is the Linux root in every prefix.
image=${VESPERIN_EMULATOR_IMAGE:-${XDG_STATE_HOME:-$HOME/.local/state}/vesperin-emulator/notebook.json}
case "$image" in
  /*) image="Z:$(printf '%s' "$image" | tr / '\\')" ;;
esac
export VESPERIN_EMULATOR_IMAGE=$image
cd "$here/$dir/bin"
exec wine ./Vesperin.exe "$@"
