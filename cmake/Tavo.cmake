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
  # The environment every test runs in, also when ctest is called by hand:
  # the offscreen window platform and the sanitizer settings (fontconfig's
  # cache lives as long as the process; it is not our leak).
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "env;QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=abort_on_error=1:detect_leaks=1;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  # TAVO_TEST_PROPERTIES, when set by the caller, adds test properties.
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 300 ${TAVO_TEST_PROPERTIES})
endfunction()
