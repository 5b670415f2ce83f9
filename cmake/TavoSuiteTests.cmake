# Run after a test program is built (cmake -P): lists its GoogleTest tests
# and writes a CTest file with one test per suite, so a suite's tests share
# one process (and whatever the suite builds once, such as the program's
# forms). Each suite writes its results as XML, one file per suite, from which
# scripts/list-test-results lists every test by name.
#
# Inputs: TEST_EXECUTABLE, TEST_PREFIX (the test folder), CTEST_FILE,
# RESULTS_DIR, EMULATOR (words apart by blanks), LOCK (a resource lock or empty),
# PER_TEST_TIMEOUT and BASE_TIMEOUT in seconds.

separate_arguments(EMULATOR UNIX_COMMAND "${EMULATOR}")
execute_process(COMMAND ${EMULATOR} ${TEST_EXECUTABLE} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors
                TIMEOUT 300)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "listing the tests of ${TEST_EXECUTABLE} failed (${status}):\n${listing}\n${errors}")
endif()

string(REPLACE ";" "\\;" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(suites)
set(suite "")
foreach(line IN LISTS lines)
  # A comment (a parameter's value) follows two blanks and a hash.
  string(REGEX REPLACE "  #.*$" "" line "${line}")
  if(line MATCHES "^[^ ].*\\.$")
    string(REGEX REPLACE "\\.$" "" suite "${line}")
    list(APPEND suites "${suite}")
    set(count_${suite} 0)
  elseif(line MATCHES "^  [^ ]" AND NOT suite STREQUAL "")
    math(EXPR count_${suite} "${count_${suite}} + 1")
  endif()
endforeach()

set(out "")
foreach(suite IN LISTS suites)
  if(suite MATCHES "^DISABLED_|/DISABLED_")
    continue()
  endif()
  string(REPLACE "/" "_" file "${suite}")
  set(name "${TEST_PREFIX}/${suite}")
  math(EXPR timeout "${BASE_TIMEOUT} + ${PER_TEST_TIMEOUT} * ${count_${suite}}")
  set(command "")
  foreach(part IN LISTS EMULATOR)
    string(APPEND command " [==[${part}]==]")
  endforeach()
  string(APPEND out
    "add_test([==[${name}]==]${command} [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==]"
    " [==[--gtest_output=xml:${RESULTS_DIR}/${TEST_PREFIX}-${file}.xml]==])\n"
    "set_tests_properties([==[${name}]==] PROPERTIES TIMEOUT ${timeout}")
  if(LOCK)
    string(APPEND out " RESOURCE_LOCK ${LOCK}")
  endif()
  string(APPEND out ")\n")
endforeach()
file(WRITE "${CTEST_FILE}" "${out}")
