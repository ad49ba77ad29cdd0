# GoogleTest: the system package natively; for the Windows build it is compiled
# from the Debian source tree with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(TESSAVEL_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TESSAVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# tessavel_add_test(name source...) builds one test program against the logic
# library. Natively every GoogleTest case becomes a ctest entry; cross-built
# programs run whole through the emulator (Wine), one ctest entry each.
function(tessavel_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tessavel_logic GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
