#!/usr/bin/env bash
# Builds the artwork painter and paints every bitmap of the windows into
# app/artwork/images/. Run it after changing tools/artwork/ and commit the PNGs
# with the change. Extra arguments go to the painter, for example
#   tools/make-artwork.sh --preview /tmp/preview
# to see each window over a light and a dark desktop.
#   tools/make-artwork.sh --check
# paints nothing: it runs the painter's test, which compares the committed
# PNGs with what the painter paints now and checks the rules they keep.
# The painter paints with Qt 6 (Debian's qt6-base-dev); nothing else in the
# project needs Qt, so tools/install-deps.sh does not install it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ARTWORK_BUILD_DIR:-$here/build-artwork}
if ! dpkg-query -W -f='${Status}' qt6-base-dev 2>/dev/null | grep -q 'install ok installed'; then
  echo "The artwork painter needs Qt 6: sudo apt-get install qt6-base-dev" >&2
  exit 1
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESPERIN_TESTS=OFF \
  -DVESPERIN_ARTWORK=ON "${launcher[@]}" >/dev/null
if [ "${1:-}" = --check ]; then
  cmake --build "$build" --target tst_artwork
  QT_QPA_PLATFORM=offscreen exec "$build/bin/tst_artwork"
fi
cmake --build "$build" --target vesperin-artwork
rm -rf "$here/app/artwork/images"
"$build/bin/vesperin-artwork" "$here/app/artwork/images" "$@"
