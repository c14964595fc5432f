# Compiler flags shared by every target of the project.
add_compile_options(-Wall -Wextra)
if(VESPERIN_WERROR)
  add_compile_options(-Werror)
endif()

if(VESPERIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Nothing but the declared exports leaves a shared library.
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_C_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)

if(MINGW)
  # The Windows binaries carry their C++ runtime inside: they import kernel32
  # and the C runtime, nothing from a MinGW installation.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
