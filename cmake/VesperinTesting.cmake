# vesperin_add_gtest(NAME SOURCES src... LIBS lib... [SERIAL])
#   A GoogleTest executable registered with CTest. Natively one test per
#   case. In a cross build one test per program, run through
#   CMAKE_CROSSCOMPILING_EMULATOR (tools/wine-run.sh): discovering the cases
#   would start Wine once per case. SERIAL keeps the program from running
#   beside others (tests that move the real mouse or take the focus).
function(vesperin_add_gtest name)
  cmake_parse_arguments(arg "SERIAL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(${name} PROPERTIES LABELS wine)
    if(arg_SERIAL)
      set_tests_properties(${name} PROPERTIES RUN_SERIAL ON)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  endif()
endfunction()
