#!/usr/bin/env bash
# Builds what a Windows user downloads, from a clean export of the committed
# tree, for i686 with the -win32 compilers (what ships):
#   out/release/Vesperin-<version>-setup.exe     the NSIS installer
#   out/release/Vesperin-<version>-portable.zip  the same files in one folder
#   out/release/SHA256SUMS
# tools/release.sh [OUTDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/out/release}")
version=$(sed -n 's/^project(Vesperin VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || { echo "release: no project version in CMakeLists.txt" >&2; exit 1; }
for tool in makensis zip sha256sum i686-w64-mingw32-g++-win32 i686-w64-mingw32-strip; do
  command -v "$tool" >/dev/null || { echo "release: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
done

work="$out/work"
rm -rf "$out"
mkdir -p "$work/src" "$work/stage"
# Only what is committed goes in: nothing of the working tree or of other builds.
git -C "$here" archive --format=tar HEAD | tar -x -C "$work/src"

# The shipped build uses the -win32 compilers whatever the toolchain file
# picks for tests.
cat > "$work/toolchain.cmake" <<TOOLCHAIN
include("$work/src/cmake/mingw-i686.cmake")
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
TOOLCHAIN
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="$work/src" CCACHE_NOHASHDIR=1
cmake -S "$work/src" -B "$work/build" -G Ninja "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DVESPERIN_TESTS=OFF -DVESPERIN_EMULATED_DEVICE=OFF >/dev/null
# Vesperin.exe joins as soon as the tree has its windows; until then the
# release holds the library and the command-line tool, and says so.
programs=(Vesperlink.dll vpalarm.exe)
targets=(Vesperlink vpalarm)
if cmake --build "$work/build" --target help | grep -q '^Vesperin:'; then
  programs=(Vesperin.exe "${programs[@]}")
  targets=(Vesperin "${targets[@]}")
else
  echo "release: this tree does not build Vesperin.exe yet; it is left out" >&2
fi
cmake --build "$work/build" --target "${targets[@]}"

stage="$work/stage/Vesperin-$version"
mkdir -p "$stage"
for file in "${programs[@]}"; do
  i686-w64-mingw32-strip -o "$stage/$file" "$work/build/bin/$file"
done
sed "s/@VERSION@/$version/" "$work/src/packaging/README.txt" | sed 's/$/\r/' > "$stage/README.txt"

setup="Vesperin-$version-setup.exe"
portable="Vesperin-$version-portable.zip"
makensis -V2 -DVERSION="$version" -DSOURCE="$stage" -DOUTFILE="$out/$setup" \
  "$work/src/packaging/vesperin.nsi"
(cd "$work/stage" && zip -q -X -r "$out/$portable" "Vesperin-$version")
(cd "$out" && sha256sum "$setup" "$portable" > SHA256SUMS)
echo "release $version:"
(cd "$out" && ls -l "$setup" "$portable" SHA256SUMS | awk '{print "  " $5 "\t" $9}')
