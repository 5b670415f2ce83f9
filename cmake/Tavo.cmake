# One static library per folder: every .cpp of the folder(s) except the
# program entry. A folder with no sources yet gives an interface library so
# that the layers above can already name it.
function(tavo_library name)
  set(dirs)
  set(deps)
  set(mode dirs)
  set(recurse OFF)
  set(qt OFF)
  foreach(arg IN LISTS ARGN)
    if(arg STREQUAL "DEPS")
      set(mode deps)
    elseif(arg STREQUAL "RECURSE")
      set(recurse ON)
    elseif(arg STREQUAL "QT")
      set(qt ON)
    elseif(mode STREQUAL "dirs")
      list(APPEND dirs ${arg})
    else()
      list(APPEND deps ${arg})
    endif()
  endforeach()

  set(sources)
  foreach(dir IN LISTS dirs)
    if(recurse)
      file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    else()
      file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    endif()
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "/dialogs/main\\.cpp$")

  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${deps})
    if(qt)
      set_target_properties(${name} PROPERTIES AUTOMOC ON)
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${deps})
  endif()
endfunction()

# One GoogleTest program per test folder; every .cpp in it is one program.
function(tavo_test name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TAVO_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/${dir}/data")
  # Test code gains little from optimisation and compiles much quicker
  # without it (most of the build is test code); the code under test keeps
  # the sanitizer build's -O1. Every sanitizer check stays on.
  if(TAVO_SANITIZE)
    target_compile_options(${name} PRIVATE -O0)
  endif()
  # The environment every test runs in, also when ctest is called by hand:
  # the offscreen window platform and the sanitizer settings (fontconfig's
  # cache lives as long as the process; it is not our leak).
  set(emulator env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
      LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
  # One CTest test per suite: a suite's tests share one process, so what a
  # suite builds once (the program's forms) is built once. TAVO_TEST_LOCK,
  # when set by the caller, names a resource the suites take turns on.
  string(REGEX REPLACE "^test_" "" prefix ${name})
  set(ctest_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.cmake)
  string(REPLACE ";" " " emulator_arg "${emulator}")
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DTEST_EXECUTABLE=$<TARGET_FILE:${name}> -DTEST_PREFIX=${prefix}
            -DCTEST_FILE=${ctest_file} -DRESULTS_DIR=${CMAKE_BINARY_DIR}/test-results
            "-DEMULATOR=${emulator_arg}" -DLOCK=${TAVO_TEST_LOCK}
            -DPER_TEST_TIMEOUT=120 -DBASE_TIMEOUT=180
            -P ${CMAKE_SOURCE_DIR}/cmake/TavoSuiteTests.cmake
    BYPRODUCTS ${ctest_file}
    VERBATIM)
  # A program not built yet shows as one failing test rather than an error.
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_include.cmake)
  file(WRITE ${include_file}
       "if(EXISTS \"${ctest_file}\")\n  include(\"${ctest_file}\")\n"
       "else()\n  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
