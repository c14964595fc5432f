#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
#   native   the Linux build, all its tests
#   asan     the same tests built with AddressSanitizer and UBSan
#   m32      the plain C++ tests as a 32-bit process (the native request layout)
#   tsan     the plain C++ tests built with ThreadSanitizer
#   mingw    what ships for 32- and 64-bit Windows (driver and emulated notebook),
#            with the checks of its exports, imports and size
#   wine     the Windows test programs, run by CTest under Wine and Xvfb three ways,
#            and the dialogs that need the emulated device in a tree of their own
#   fuzz     the libFuzzer targets, for a bounded time
#   release  the installer and the portable zip, tried under Wine
# tools/test.sh runs them all; tools/test.sh native asan runs just those.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(native asan m32 tsan mingw wine fuzz release)
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

stage_wine() {
  # One test tree per architecture (the -posix compilers), with the shipped
  # Vesperlink.dll (the driver's device) beside the tests and a test build on
  # the emulated notebook in bin/emulated. The i686 tree is built everywhere,
  # so that it keeps compiling, even where Wine cannot run it.
  for arch in i686 x86_64; do
    tools/build.sh "build-wine-$arch" -DCMAKE_BUILD_TYPE=Release -DVESPERIN_WERROR=ON \
      -DVESPERIN_TESTS=ON -DVESPERIN_GTEST_FROM_SOURCE=ON \
      -DVESPERIN_EMULATED_DEVICE=OFF -DVESPERIN_EMULATED_TEST_LIBRARY=ON \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake"
  done
  # The dialogs that search the drives, play the disc and set the mixer, and
  # the whole program end to end, need a build on the emulated device: one
  # more tree, built only as far as those tests need (ccache hands it every
  # object the trees share). It is i686, what users run, where this machine
  # has 32-bit Wine, and x86_64 elsewhere.
  local emulated_arch=i686
  [ "$(tools/host-i386.sh)" = native ] || emulated_arch=x86_64
  tools/build.sh "build-wine-$emulated_arch-emulated" -DCMAKE_BUILD_TYPE=Release \
    -DVESPERIN_WERROR=ON -DVESPERIN_TESTS=ON -DVESPERIN_GTEST_FROM_SOURCE=ON \
    -DVESPERIN_EMULATED_DEVICE=ON -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$emulated_arch.cmake" \
    -- tst_frmselectmusic tst_frmoptions Vesperin Vesperlink
  tools/wine-tests.sh build-wine-i686 build-wine-x86_64 build-wine-prefixes \
    "build-wine-$emulated_arch-emulated"
}

stage_fuzz() {
  CC=clang CXX=clang++ tools/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESPERIN_TESTS=OFF -DVESPERIN_FUZZ=ON
  tools/fuzz-targets.sh build-fuzz "${VESPERIN_FUZZ_SECONDS:-30}"
}

stage_release() {
  tools/release.sh out/release
  packaging/test-release.sh out/release
}

for stage in "${stages[@]}"; do
  echo "==== $stage"
  started=$SECONDS
  "stage_$stage"
  echo "==== $stage took $((SECONDS - started)) s"
done
echo "==== all stages passed: ${stages[*]}"
