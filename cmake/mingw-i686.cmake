# Cross-compiles for 32-bit Windows with MinGW-w64.
#   -DVESPERIN_TESTS=OFF   what ships (the -win32 compilers)
#   otherwise              the test programs (the -posix compilers)
#   -DVESPERIN_MINGW_THREADS=win32|posix picks the compilers explicitly.
set(VESPERIN_MINGW_TARGET i686-w64-mingw32)
set(VESPERIN_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
