#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
#   native   the Linux build, all its tests
#   asan     the same tests built with AddressSanitizer and UBSan
#   m32      the plain C++ tests as a 32-bit process (the native request layout)
#   tsan     the plain C++ tests built with ThreadSanitizer
#   mingw    what ships for 32- and 64-bit Windows (driver and emulated notebook),
#            with the checks of its exports, imports and size
#   wine     the Windows test programs, run by CTest under Wine and Xvfb three ways
#            (x86_64 the lean set where i686 runs whole in both layouts), and the
#            dialogs that need the emulated device in a tree of their own
#   fuzz     the libFuzzer targets, for a bounded time
#   release  the installer and the portable zip, tried under Wine
#   guest    where this machine runs no 32-bit x86 program: the i686 ways
#            (a 32-bit Windows and WOW64), the release's trial and the
#            shipped build end to end, in a guest with a kernel of its own
#            (tools/guest/); elsewhere the shipped build end to end here
# tools/test.sh runs them all; tools/test.sh native asan runs just those.
# VESPERIN_GUEST_WAYS="i686-win32" (or "") leaves the other i686 ways out;
# any way left out otherwise fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(native asan m32 tsan mingw wine fuzz release guest)
"$here/tools/install-deps.sh"
# Where the kernel runs no 32-bit x86 program, Wine runs through its 64-bit
# loader alone (tools/wine64-only says why).
[ "$(tools/host-i386.sh)" = native ] || export PATH="$here/tools/wine64-only:$PATH"

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1

run_ctest() {
  local dir=$1
  # Tests that need an X server use the one xvfb-run provides.
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$dir" -j "$jobs" --timeout 300
}

stage_native() {
  tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESPERIN_WERROR=ON -DVESPERIN_BENCH=ON
  run_ctest build
}

stage_asan() {
  tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVESPERIN_WERROR=ON -DVESPERIN_SANITIZE=ON
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$here/tools/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_ctest build-asan
}

stage_m32() {
  tools/build.sh build-m32 -DCMAKE_BUILD_TYPE=Debug -DVESPERIN_WERROR=ON \
    -DVESPERIN_GTEST_FROM_SOURCE=ON -DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS=-m32 \
    -DCMAKE_EXE_LINKER_FLAGS=-m32 -DCMAKE_SHARED_LINKER_FLAGS=-m32
  tools/host-i386.sh --run ctest --test-dir build-m32 -j "$jobs" --timeout 300
}

stage_tsan() {
  # The plain C++ suites (the drive search's hand-over among them), with
  # GoogleTest built from source so that its own code is instrumented too.
  # GCC's runtime is a shared library, so a test that replaces the global
  # operator new still links (clang's static runtime defines it too).
  local flags="-fsanitize=thread -fno-omit-frame-pointer"
  CC=gcc CXX=g++ tools/build.sh build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESPERIN_WERROR=ON -DVESPERIN_GTEST_FROM_SOURCE=ON \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread
  TSAN_OPTIONS=halt_on_error=1:abort_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build-tsan -j "$jobs" --timeout 300
}

stage_mingw() {
  # What ships: the -win32 compilers (VESPERIN_TESTS=OFF), the documented
  # build line, on the driver and on the emulated notebook.
  local arch flavour dir
  for arch in i686 x86_64; do
    for flavour in driver emulated; do
      dir=build-mingw-$arch
      [ "$flavour" = driver ] || dir=$dir-emulated
      tools/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DVESPERIN_WERROR=ON -DVESPERIN_TESTS=OFF \
        -DVESPERIN_EMULATED_DEVICE=$([ "$flavour" = emulated ] && echo ON || echo OFF) \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake"
      tools/check-dll.sh "$arch" "$dir/bin/Vesperlink.dll"
    done
  done
  # The i686 binaries are the ones that must load on Windows XP SP3.
  local bin=build-mingw-i686/bin gui=()
  [ -f "$bin/Vesperin.exe" ] && gui=(--gui "$bin/Vesperin.exe")
  tools/check-imports.sh "${gui[@]}" "$bin/Vesperlink.dll" "$bin/vpalarm.exe" "$bin/drivediag.exe"
  echo "Sizes (i686, on the driver):"
  tools/check-size.sh "$bin"
  echo "Sizes (i686, on the emulated notebook, not shipped):"
  tools/check-size.sh build-mingw-i686-emulated/bin || true
}

# The Windows test trees (the -posix compilers): one per architecture on the
# driver's device, with the shipped Vesperlink.dll beside the tests and a
# test build on the emulated notebook in bin/emulated.
build_wine_tree() {
  tools/build.sh "build-wine-$1" -DCMAKE_BUILD_TYPE=Release -DVESPERIN_WERROR=ON \
    -DVESPERIN_TESTS=ON -DVESPERIN_GTEST_FROM_SOURCE=ON \
    -DVESPERIN_EMULATED_DEVICE=OFF -DVESPERIN_EMULATED_TEST_LIBRARY=ON \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$1.cmake"
}

# The dialogs that search the drives, play the disc and set the mixer, and
# the whole program end to end, need a build on the emulated device: one
# more tree, built only as far as those tests need (ccache hands it every
# object the trees share).
build_emulated_tree() {
  tools/build.sh "build-wine-$1-emulated" -DCMAKE_BUILD_TYPE=Release \
    -DVESPERIN_WERROR=ON -DVESPERIN_TESTS=ON -DVESPERIN_GTEST_FROM_SOURCE=ON \
    -DVESPERIN_EMULATED_DEVICE=ON -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$1.cmake" \
    -- tst_frmselectmusic tst_frmoptions Vesperin Vesperlink
}

stage_wine() {
  # The i686 tree is built everywhere, so that it keeps compiling; where
  # this machine has no 32-bit Wine, the guest stage runs it.
  build_wine_tree i686
  build_wine_tree x86_64
  # The emulated-device tree is i686, what users run, where this machine
  # has 32-bit Wine, and x86_64 elsewhere (the guest stage runs the i686 one).
  # Where the i686 tree runs whole in both Windows layouts here, the x86_64
  # tree (built, not shipped) runs the lean set; elsewhere it is the one
  # that runs whole here.
  local emulated_arch=i686 x86_64_select=lean
  [ "$(tools/host-i386.sh)" = native ] || emulated_arch=x86_64 x86_64_select=
  build_emulated_tree "$emulated_arch"
  VESPERIN_WINE_SELECT_X86_64=$x86_64_select \
    tools/wine-tests.sh build-wine-i686 build-wine-x86_64 build-wine-prefixes \
    "build-wine-$emulated_arch-emulated"
}

stage_fuzz() {
  CC=clang CXX=clang++ tools/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESPERIN_TESTS=OFF -DVESPERIN_FUZZ=ON
  tools/fuzz-targets.sh build-fuzz "${VESPERIN_FUZZ_SECONDS:-30}"
}

# The release, and the same programs built on the emulated notebook for the
# tests that operate the shipped build.
released=0
make_release() {
  [ "$released" = 1 ] && return
  tools/release.sh out/release out/release-emulated
  released=1
}

stage_release() {
  make_release
  packaging/test-release.sh out/release
}

stage_guest() {
  local ways=${VESPERIN_GUEST_WAYS-i686-win32 i686-wow64}
  make_release
  mkdir -p build-guest
  rm -f build-guest/summary.txt
  if [ "$(tools/host-i386.sh)" = native ]; then
    # The i686 trees ran in the wine stage and the release trial in the
    # release stage, here; what is left is the shipped build end to end.
    echo "i686 test trees and the release trial: natively, in the wine and release stages"
    VESPERIN_GUEST_WAYS=$ways VESPERIN_GUEST_PARTS=shipped VESPERIN_GUEST_WHERE=", natively" \
      tools/guest/tests.sh build-guest build-wine-i686 build-wine-i686-emulated out/release \
      out/release-emulated || { cat build-guest/summary.txt; return 1; }
    cat build-guest/summary.txt
    return
  fi
  # Everything the guest runs is built here: it has Wine, but no compiler.
  build_wine_tree i686
  build_emulated_tree i686
  i686-w64-mingw32-gcc-win32 -Wall -Werror -o build-guest/read-box-text.exe \
    packaging/read-box-text.c -luser32
  local started=$SECONDS image status=0
  image=$(tools/guest/make.sh) ||
    { echo "guest: no image, so the i686 ways did not run: that fails the run" >&2; return 1; }
  echo "guest image $image (ready after $((SECONDS - started)) s)"
  started=$SECONDS
  VESPERIN_GUEST=$image VESPERIN_GUEST_PASS="VESPERIN_GUEST_WAYS VESPERIN_GUEST_PARTS VESPERIN_GUEST_SELECT VESPERIN_WINE_TIMEOUT" \
    VESPERIN_GUEST_WAYS=$ways VESPERIN_GUEST_CONSOLE=build-guest/console.log \
    tools/guest/run.sh "$here" "tools/guest/tests.sh build-guest build-wine-i686 \
      build-wine-i686-emulated out/release out/release-emulated" || status=$?
  echo "guest run: $((SECONDS - started)) s, exit $status"
  echo "x86_64 on 64-bit Windows: natively, in the wine stage"
  cat build-guest/summary.txt 2>/dev/null || true
  [ -s build-guest/summary.txt ] || { echo "guest: no summary came back" >&2; status=1; }
  return "$status"
}

for stage in "${stages[@]}"; do
  echo "==== $stage"
  started=$SECONDS
  "stage_$stage"
  echo "==== $stage took $((SECONDS - started)) s"
done
echo "==== all stages passed: ${stages[*]}"
