# cmake -D RUN=<emulator;program> -D OUT=<file> -P gtest_suites.cmake
# Writes the test program's suites to OUT, one name a line, from its
# --gtest_list_tests. A program that does not list them, or lists none,
# fails the build.
execute_process(COMMAND ${RUN} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "${RUN} --gtest_list_tests failed (${rc})")
endif()
string(REGEX MATCHALL "(^|\n)[A-Za-z_][A-Za-z0-9_/]*\\." heads "${listing}")
set(suites)
foreach(head IN LISTS heads)
  string(REGEX REPLACE "^\n?(.*)\\.$" "\\1" suite "${head}")
  string(APPEND suites "${suite}\n")
endforeach()
if(NOT suites)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "${RUN} --gtest_list_tests lists no test suite")
endif()
file(WRITE ${OUT} "${suites}")
