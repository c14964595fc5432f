# vesperin_add_gtest(NAME SOURCES src... LIBS lib...)
#   A GoogleTest executable registered with CTest, one test per case.
function(vesperin_add_gtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

# vesperin_add_qttest(NAME SOURCES src... LIBS lib... [XVFB])
#   A QtTest executable, one per window or control family. It runs offscreen
#   unless XVFB is given, in which case it uses the X server of the test run.
function(vesperin_add_qttest name)
  cmake_parse_arguments(arg "XVFB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(arg_XVFB)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" LABELS xvfb)
  else()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()
