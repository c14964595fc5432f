#!/usr/bin/env bash
# Builds what a Windows user downloads, from a clean export of the committed
# tree, for i686 with the -win32 compilers (what ships):
#   out/release/Vesperin-<version>-setup.exe     the NSIS installer
#   out/release/Vesperin-<version>-portable.zip  the same files in one folder
#   out/release/SHA256SUMS
# tools/release.sh [OUTDIR [EMULATED_DIR]]
# With EMULATED_DIR, the same programs are also built from the same export
# with the same compilers and options, but on the emulated notebook
# (-DVESPERIN_EMULATED_DEVICE=ON), stripped the same way, and left in
# EMULATED_DIR for the tests that operate the shipped build end to end; that
# build is not shipped.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/out/release}")
emulated_out=
[ -z "${2:-}" ] || emulated_out=$(realpath -m "$2")
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
# What ships, every file of it: a build that lacks one fails here.
programs=(Vesperin.exe Vesperlink.dll vpalarm.exe)
targets=(Vesperin Vesperlink vpalarm)

# Builds the shipped programs on one device into BUILD_DIR and puts them,
# stripped, into DEST.
build_programs() {
  local build=$1 emulated=$2 dest=$3 file
  cmake -S "$work/src" -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DVESPERIN_TESTS=OFF -DVESPERIN_EMULATED_DEVICE="$emulated" >/dev/null
  cmake --build "$build" --target "${targets[@]}"
  mkdir -p "$dest"
  for file in "${programs[@]}"; do
    [ -f "$build/bin/$file" ] || { echo "release: the build made no $file" >&2; exit 1; }
    i686-w64-mingw32-strip -o "$dest/$file" "$build/bin/$file"
  done
}

stage="$work/stage/Vesperin-$version"
build_programs "$work/build" OFF "$stage"
sed "s/@VERSION@/$version/" "$work/src/packaging/README.txt" | sed 's/$/\r/' > "$stage/README.txt"
if [ -n "$emulated_out" ]; then
  rm -rf "$emulated_out"
  build_programs "$work/build-emulated" ON "$emulated_out"
fi

setup="Vesperin-$version-setup.exe"
portable="Vesperin-$version-portable.zip"
makensis -V2 -DVERSION="$version" -DSOURCE="$stage" -DOUTFILE="$out/$setup" \
  "$work/src/packaging/vesperin.nsi"
(cd "$work/stage" && zip -q -X -r "$out/$portable" "Vesperin-$version")
(cd "$out" && sha256sum "$setup" "$portable" > SHA256SUMS)
echo "release $version:"
(cd "$out" && ls -l "$setup" "$portable" SHA256SUMS | awk '{print "  " $5 "\t" $9}')
