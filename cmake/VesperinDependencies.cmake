# Third-party libraries. Debian's packages serve the native build; the cross
# builds take the header-only and source packages from /usr.

# nlohmann-json is header-only: the cross builds use the same headers.
find_package(nlohmann_json 3.10 QUIET)
if(NOT nlohmann_json_FOUND)
  add_library(nlohmann_json INTERFACE)
  add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)
  # Only the nlohmann headers: the host's /usr/include as a whole would put
  # the Linux C library in front of the cross compiler's own.
  file(COPY /usr/include/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/third_party/include)
  target_include_directories(nlohmann_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/third_party/include)
  # Every target sees the folder, used or not, so that an object compiles
  # with the same command in a tree on the driver and one on the emulated
  # device (whose libraries hand nlohmann-json on) and ccache shares it.
  include_directories(SYSTEM ${CMAKE_BINARY_DIR}/third_party/include)
endif()

if(VESPERIN_TESTS)
  if(VESPERIN_GTEST_FROM_SOURCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Newer GoogleTest sources declare these names themselves.
    foreach(lib gtest gtest_main gmock)
      if(NOT TARGET GTest::${lib})
        add_library(GTest::${lib} ALIAS ${lib})
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()

if(VESPERIN_ARTWORK)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Test)
endif()
