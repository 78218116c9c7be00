# Helpers shared by every subsystem's CMakeLists.

if(MSVC)
  set(PW_WARNINGS /W4 /permissive-)
else()
  set(PW_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
endif()

if(NOT PW_WINDOWS AND PW_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(PW_WINDOWS)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  if(NOT MSVC)
    # Programs must run on machines without MinGW's runtime DLLs. A release build leaves the
    # symbol table out: it is more than half of each program and nothing on a user's machine reads it.
    add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  endif()
endif()

# A library of ours: pw_library(name SOURCES ... LIBS ...)
function(pw_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${PW_WARNINGS})
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
endfunction()

# A shipped Windows program, written into the program folder.
function(pw_windows_program name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} WIN32 ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${PW_WARNINGS})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PW_PROGRAM_DIR})
endfunction()

# A GoogleTest program whose cases are ctest entries of their own, named Suite.Case and labelled
# "case", so that `ctest -R Suite.Case` runs one. ctest reads the list of cases from the program
# when it starts (under Wine in the cross build), and again after the program is rebuilt.
# Under Wine every case would pay for a process of its own, which makes a run of them all about
# a third slower: there the whole program is an entry too, named after it, and
# tools/scripts/test-all.sh runs the whole programs unless told otherwise.
# pw_test(name SOURCES ... LIBS ... [TIMEOUT s] [DESKTOP])
# TIMEOUT holds for the whole program and for each case. The cases of one program run one at a
# time, as the whole program did. DESKTOP marks a program that shows windows, starts our
# programs or owns a window title that others look for ("Mouse Driver", "MouseHid"): its runs
# take turns with every other such run.
function(pw_test name)
  cmake_parse_arguments(A "DESKTOP" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  pw_test_program(${name} SOURCES ${A_SOURCES} LIBS ${A_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set(lock ${name})
  if(A_DESKTOP)
    set(lock desktop)
  endif()
  set(properties TIMEOUT ${A_TIMEOUT} RESOURCE_LOCK ${lock} ENVIRONMENT PW_PROGRAM_DIR=${PW_PROGRAM_DIR})
  gtest_discover_tests(${name} EXTRA_ARGS --gtest_color=no DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS case ${properties})
  if(PW_WINDOWS)
    # A hang ends as a named failure shortly before ctest's timeout (tests/support/watchdog_win.cpp).
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/watchdog_win.cpp)
    target_compile_definitions(${name} PRIVATE PW_TEST_DEADLINE_S=${A_TIMEOUT})
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES ${properties})
  endif()
endfunction()

# A program of the tests' own, written beside the test programs, which start it:
# pw_test_program(name SOURCES ... LIBS ...)
function(pw_test_program name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${PW_WARNINGS})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PW_TEST_BIN_DIR})
endfunction()

# A test that is a Python script, run by the system's python3 (whose modules deps.sh installs):
# pw_python_test(name SCRIPT file [ARGS ...] [TIMEOUT s] [DESKTOP]); DESKTOP as for pw_test.
find_program(PW_TEST_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
function(pw_python_test name)
  cmake_parse_arguments(A "DESKTOP" "SCRIPT;TIMEOUT" "ARGS" ${ARGN})
  cmake_path(ABSOLUTE_PATH A_SCRIPT BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${PW_TEST_PYTHON3} ${A_SCRIPT} ${A_ARGS})
  if(A_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  endif()
  if(A_DESKTOP)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()

# A libFuzzer target of the native build (clang only), with a bounded ctest run:
# pw_fuzz(name SOURCES ... LIBS ... CORPUS dir [SECONDS n])
# The run mutates a scratch copy of the seed corpus and fails on any finding.
function(pw_fuzz name)
  cmake_parse_arguments(A "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(PW_WINDOWS OR NOT PW_FUZZ OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-bin)
  if(NOT A_SECONDS)
    set(A_SECONDS $ENV{PW_FUZZ_SECONDS})
  endif()
  if(NOT A_SECONDS)
    set(A_SECONDS 60)
  endif()
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/scripts/fuzz-run.sh $<TARGET_FILE:${name}> ${A_CORPUS} ${A_SECONDS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()
