#!/usr/bin/env bash
# Builds the artwork generator and paints every bitmap of the windows into
# app/artwork/images/. Run it after changing tools/artwork/ and commit the PNGs
# with the change. Extra arguments go to the generator, for example
#   tools/make-artwork.sh --preview /tmp/preview
# to see each window over a light and a dark desktop.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ARTWORK_BUILD_DIR:-$here/build-artwork}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESPERIN_TESTS=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build" --target vesperin-artwork
rm -rf "$here/app/artwork/images"
"$build/bin/vesperin-artwork" "$here/app/artwork/images" "$@"
