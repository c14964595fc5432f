# Shared by cmake/mingw-i686.cmake and cmake/mingw-x86_64.cmake, which set
# VESPERIN_MINGW_TARGET before including this file.
#
# Debian ships two flavours of each MinGW compiler. What ships is built with
# the "-win32" ones: their static runtime imports nothing Windows XP lacks.
# The test programs are built with the "-posix" ones, whose libstdc++ has the
# std::mutex GoogleTest needs (their threads library imports GetTickCount64,
# which is acceptable for tests, never for what ships). VESPERIN_TESTS picks
# the flavour; VESPERIN_MINGW_THREADS (win32 or posix) overrides the choice.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VESPERIN_MINGW_PROCESSOR})

# try_compile projects read a toolchain file afresh and see none of the
# cache: these variables are handed to them so they pick the same compiler.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VESPERIN_TESTS VESPERIN_MINGW_THREADS)

if(NOT VESPERIN_MINGW_THREADS)
  if(DEFINED VESPERIN_TESTS AND NOT VESPERIN_TESTS)
    set(VESPERIN_MINGW_THREADS win32)
  elseif(DEFINED CACHE{VESPERIN_TESTS} AND NOT "$CACHE{VESPERIN_TESTS}")
    set(VESPERIN_MINGW_THREADS win32)
  else()
    # The project's default: tests on, so the test flavour.
    set(VESPERIN_MINGW_THREADS posix)
  endif()
endif()
if(NOT VESPERIN_MINGW_THREADS MATCHES "^(win32|posix)$")
  message(FATAL_ERROR "VESPERIN_MINGW_THREADS must be win32 or posix, not '${VESPERIN_MINGW_THREADS}'")
endif()

set(CMAKE_C_COMPILER ${VESPERIN_MINGW_TARGET}-gcc-${VESPERIN_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${VESPERIN_MINGW_TARGET}-g++-${VESPERIN_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${VESPERIN_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VESPERIN_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
