# What every Windows build shares: the oldest Windows the programs run on,
# the subsystem versions that let Windows XP load them, and small binaries.
if(NOT WIN32)
  return()
endif()

# Windows XP SP3: the headers hide everything newer, so a call XP lacks
# fails to compile instead of failing to load.
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501)

# Windows XP refuses images whose subsystem version is above 5.01. Windowed
# programs (WIN32_EXECUTABLE) get the GUI subsystem, every other program the
# console one, and the libraries the GUI one (a DLL's subsystem says nothing
# more than its version).
set(vesperin_is_exe "$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>")
set(vesperin_is_dll "$<STREQUAL:$<TARGET_PROPERTY:TYPE>,SHARED_LIBRARY>")
set(vesperin_is_gui "$<BOOL:$<TARGET_PROPERTY:WIN32_EXECUTABLE>>")
add_link_options(
  "$<$<AND:${vesperin_is_exe},${vesperin_is_gui}>:LINKER:--subsystem,windows:5.01>"
  "$<$<AND:${vesperin_is_exe},$<NOT:${vesperin_is_gui}>>:LINKER:--subsystem,console:5.01>"
  "$<${vesperin_is_dll}:LINKER:--subsystem,windows:5.01>")

# vesperin_windows_program(target): marks a program as windowed (no console).
# Kept as a function so that a program's own CMakeLists says what it is.
function(vesperin_windows_program target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
endfunction()

# Small binaries: every function and datum in its own section, and the
# linker drops what nothing reaches. What ships is stripped as well (the
# test programs keep their symbols for the backtraces Wine prints).
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(LINKER:--gc-sections)
if(NOT VESPERIN_TESTS)
  add_link_options("$<$<CONFIG:Release,MinSizeRel>:-s>")
  # What ships optimises for size: it waits on the user, not on its code.
  string(REPLACE "-O3" "-Os" CMAKE_C_FLAGS_RELEASE "${CMAKE_C_FLAGS_RELEASE}")
  string(REPLACE "-O3" "-Os" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
endif()

# The cross builds' tests run under Wine.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh)
endif()
