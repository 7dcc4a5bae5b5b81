# GoogleTest from Debian's source package, built with whichever compiler this
# build uses (the cross compiler too), so both tiers run the same framework.
set(ZARVEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)  # no test mocks
add_subdirectory(${ZARVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
include(GoogleTest)
# The framework is not what the tests measure: compiled quickly, no debug
# information.
foreach(lib gtest gtest_main)
  target_compile_options(${lib} PRIVATE -O1 -g0)
endforeach()

option(ZARVEL_UNITY_TESTS "Compile the test programs' files in batches (unity build)" ON)

# Natively every test case is its own ctest entry (label host), the 32-bit
# Linux build's too (through its emulator when it has one). A Windows test
# program runs under Wine as one entry (label wine): a Wine start costs far
# more than a test, and the program's output still names every case.
# TIMING FILTER: the cases (a GoogleTest filter) that measure time run as
# entries of their own, labelled timing and RUN_SERIAL: alone, so that no
# neighbour's load is what they measure (test.sh runs them last).
function(zarvel_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMING" "")
  # Every test file starts with the framework's header: read once a program.
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  # The test files themselves are not optimised: the code they test is
  # built at the tree's level, and optimising their expanded assertions
  # took a third of a checking tree's build (they run as fast without).
  # Under a user-mode emulator (the 32-bit tree on a 64-bit-only kernel)
  # unoptimised code runs twice as slow, more than the build saves.
  if(WIN32 OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    target_compile_options(${target} PRIVATE -O0)
  endif()
  # Sanitized, a test program starts once for each of its hundreds of cases:
  # at a fixed address it has no relocations to apply at each start (a
  # tenth of the asan tier's test time).
  if(ZARVEL_SANITIZE)
    target_link_options(${target} PRIVATE -no-pie)
  endif()
  # The test files are compiled a batch at a time (a unity build): each
  # batch reads the headers once, which halves the test programs' build.
  # So a name at a test file's namespace scope, even in its anonymous
  # namespace, must not repeat another test file's of the program.
  if(ZARVEL_UNITY_TESTS)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
  endif()
  if(WIN32)
    set(rest)
    if(arg_TIMING)
      set(rest --gtest_filter=-${arg_TIMING})
      zarvel_add_wine_test(${target}_timing_wine ${target} --gtest_filter=${arg_TIMING})
      set_tests_properties(${target}_timing_wine PROPERTIES LABELS "wine;timing" RUN_SERIAL ON)
    endif()
    zarvel_add_wine_test(${target}_wine ${target} ${rest})
  else()
    if(arg_TIMING)
      gtest_discover_tests(${target} TEST_FILTER ${arg_TIMING} DISCOVERY_TIMEOUT 60
                           PROPERTIES LABELS "host;timing" RUN_SERIAL ON)
      gtest_discover_tests(${target} TEST_FILTER -${arg_TIMING} DISCOVERY_TIMEOUT 60
                           PROPERTIES LABELS host)
    else()
      gtest_discover_tests(${target} PROPERTIES LABELS host DISCOVERY_TIMEOUT 60)
    endif()
  endif()
endfunction()

function(zarvel_add_wine_test name target)
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_run.sh $<TARGET_FILE:${target}> ${ARGN}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  # wine_run.sh keeps one prefix per tree, used by one run at a time.
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 600
                       RESOURCE_LOCK wine_run_prefix)
endfunction()
