# GoogleTest from Debian's packages. A 64-bit Linux tree links the framework
# as libgtest-dev built it (from the very sources googletest holds: the one
# package depends on the other's exact version); a cross or 32-bit tree, or
# a machine without libgtest-dev, builds it from those sources with its own
# compiler. The framework is not what the tests measure.
if(NOT CMAKE_CROSSCOMPILING AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_package(GTest CONFIG QUIET)
endif()
if(NOT GTest_FOUND)
  set(ZARVEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)  # no test mocks
  add_subdirectory(${ZARVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Compiled quickly, without debug information.
  foreach(lib gtest gtest_main)
    target_compile_options(${lib} PRIVATE -O1 -g0)
  endforeach()
endif()
if(NOT TARGET GTest::gtest_main)  # googletest before 1.11 does not name it
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
include(GoogleTest)

# Natively every test suite is a ctest entry (label host) that runs the
# suite's cases in one start of the program: the 32-bit Linux build's too,
# through its emulator when it has one. A start cost more than most cases
# (under the sanitizers and the emulator, half the tier's time), and the
# output still names every case. The suites are listed when the program is
# built (build/<dir>/<target>_suites.txt); ZARVEL_GTEST_SKIP, a GoogleTest
# filter's negative patterns, leaves cases out of every entry (the trees
# where a few long plays would take minutes).
# A Windows test program runs under Wine as one entry (label wine): a Wine
# start costs far more than a test.
# TIMING FILTER (Windows programs): the cases that measure time run as an
# entry of their own, labelled timing and RUN_SERIAL: alone, so that no
# neighbour's load is what they measure (test.sh runs them last).
set(ZARVEL_GTEST_SKIP "" CACHE STRING
    "GoogleTest patterns (a:b) of the cases no native test entry runs")
function(zarvel_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMING" "")
  # Every test file starts with the framework's header: read once a tree,
  # by host_tests, whose precompiled header the tree's other test programs
  # reuse (zarvel_share_gtest_header gives them the same macros).
  if(TARGET host_tests AND NOT target STREQUAL host_tests)
    target_precompile_headers(${target} REUSE_FROM host_tests)
  else()
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  endif()
  set_property(GLOBAL APPEND PROPERTY ZARVEL_GTEST_PROGRAMS ${target})
  # The test files themselves are not optimised: the code they test is
  # built at the tree's level, and optimising their expanded assertions
  # took a third of a checking tree's build (they run as fast without).
  # Under a user-mode emulator (the 32-bit tree on a 64-bit-only kernel)
  # unoptimised code runs twice as slow, more than the build saves.
  if(WIN32 OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    target_compile_options(${target} PRIVATE -O0)
  endif()
  # UndefinedBehaviorSanitizer watches the code under test, not the test
  # files' own expanded assertions, whose checks doubled their build. The
  # address checks stay: a test's buffers handed to the code under test
  # keep their red zones.
  if(ZARVEL_SANITIZE OR ZARVEL_SANITIZE_UNDEFINED)
    target_compile_options(${target} PRIVATE -fno-sanitize=undefined)
  endif()
  # Sanitized, a test program starts once for each of its suites: at a
  # fixed address it has no relocations to apply at each start.
  if(ZARVEL_SANITIZE)
    target_link_options(${target} PRIVATE -no-pie)
  endif()
  # The test files are compiled in batches too (ZARVEL_UNITY_BUILD), which
  # halves the test programs' build: a test file's names at namespace scope
  # must not repeat another test file's of the program.
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
      message(FATAL_ERROR "zarvel_add_gtest: TIMING is for the Windows test programs")
    endif()
    zarvel_add_gtest_suites(${target})
  endif()
endfunction()

# GCC takes a precompiled header only where the macros given on the
# command line are those it was made with: once every test program is
# made, each is given the others' (a macro a program does not read costs
# it nothing).
function(zarvel_share_gtest_header)
  get_property(programs GLOBAL PROPERTY ZARVEL_GTEST_PROGRAMS)
  set(macros)
  foreach(target ${programs})
    get_target_property(own ${target} COMPILE_DEFINITIONS)
    if(own)
      list(APPEND macros ${own})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES macros)
  foreach(target ${programs})
    set_property(TARGET ${target} PROPERTY COMPILE_DEFINITIONS ${macros})
  endforeach()
endfunction()

function(zarvel_add_wine_test name target)
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_run.sh $<TARGET_FILE:${target}> ${ARGN}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  # wine_run.sh keeps one prefix per tree, used by one run at a time.
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 600
                       RESOURCE_LOCK wine_run_prefix)
endfunction()

# One ctest entry per test suite of a native test program. The program lists
# its suites when it is built; ctest reads that list through a file written
# here, so a new ZARVEL_GTEST_SKIP takes effect without a new link.
function(zarvel_add_gtest_suites target)
  set(list ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.txt)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D "RUN=${CMAKE_CROSSCOMPILING_EMULATOR};$<TARGET_FILE:${target}>"
            -D OUT=${list} -P ${CMAKE_SOURCE_DIR}/cmake/gtest_suites.cmake
    VERBATIM)
  set(skip)
  if(ZARVEL_GTEST_SKIP)
    set(skip "-${ZARVEL_GTEST_SKIP}")
  endif()
  set(run ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}>)
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}_ctest.cmake CONTENT "\
if(NOT EXISTS [[${list}]])
  add_test([[${target}_NOT_BUILT]] [[${target}_NOT_BUILT]])
  return()
endif()
file(STRINGS [[${list}]] suites)
foreach(suite IN LISTS suites)
  add_test(\"\${suite}\" [[$<JOIN:${run},]] [[>]] \"--gtest_filter=\${suite}.*${skip}\")
  set_tests_properties(\"\${suite}\" PROPERTIES LABELS host
                       WORKING_DIRECTORY [[${CMAKE_CURRENT_BINARY_DIR}]])
endforeach()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES
               ${CMAKE_CURRENT_BINARY_DIR}/${target}_ctest.cmake)
endfunction()
