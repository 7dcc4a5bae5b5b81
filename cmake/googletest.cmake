# GoogleTest from Debian's source package, built with whichever compiler this
# build uses (the cross compiler too), so both tiers run the same framework.
set(ZARVEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${ZARVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest_main ALIAS gtest_main)
  add_library(GTest::gmock ALIAS gmock)
endif()
include(GoogleTest)
# The framework is not what the tests measure: compiled quickly, no debug
# information.
foreach(lib gtest gtest_main gmock gmock_main)
  target_compile_options(${lib} PRIVATE -O1 -g0)
endforeach()

# Natively every test case is its own ctest entry (label host), the 32-bit
# Linux build's too (through its emulator when it has one). A Windows test
# program runs under Wine as one entry (label wine): a Wine start costs far
# more than a test, and the program's output still names every case.
function(zarvel_add_gtest target)
  # Every test file starts with the framework's header: read once a program.
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  if(WIN32)
    add_test(NAME ${target}_wine
             COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_run.sh $<TARGET_FILE:${target}>
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    # wine_run.sh keeps one prefix per tree, used by one run at a time.
    set_tests_properties(${target}_wine PROPERTIES LABELS wine TIMEOUT 600
                         RESOURCE_LOCK wine_run_prefix)
  else()
    gtest_discover_tests(${target} PROPERTIES LABELS host DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
