# The application manifest of each shipped program: one template, the program's name and
# description filled in. pw_program_manifest(target DESCRIPTION text [FOLDER dir]) writes
# <target>.manifest into `dir`, where the program's .rc already is, or else into a folder of its
# own on the target's resource search path, so that the .rc names the file without a path; and
# defines PW_PROGRAM_MANIFEST for the target's resource scripts, which include the manifest only
# then (test programs link the same scripts for their templates). A test program that should run
# as the program does asks with pw_use_program_manifest(test program).
include_guard(GLOBAL)

function(pw_program_manifest target)
  cmake_parse_arguments(A "" "DESCRIPTION;FOLDER" "" ${ARGN})
  # The version follows the one the main window paints: "101" is 1.0.1.0.
  file(STRINGS ${PROJECT_SOURCE_DIR}/src/app/main_window.cpp version_line
       REGEX "kProgramVersion\\[\\] = \"[0-9]+\"")
  if(NOT version_line MATCHES "\"([0-9])([0-9])([0-9])\"")
    message(FATAL_ERROR "no three-digit program version in src/app/main_window.cpp")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/main_window.cpp)
  set(PW_MANIFEST_VERSION "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.0")
  set(PW_MANIFEST_NAME ${target})
  set(PW_MANIFEST_DESCRIPTION "${A_DESCRIPTION}")
  set(folder ${A_FOLDER})
  if(NOT folder)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/manifest-${target})
  endif()
  set_property(TARGET ${target} PROPERTY PW_MANIFEST_FOLDER ${folder})
  pw_use_program_manifest(${target} ${target})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program.manifest.in ${folder}/${target}.manifest @ONLY)
endfunction()

function(pw_use_program_manifest target program)
  get_target_property(folder ${program} PW_MANIFEST_FOLDER)
  target_include_directories(${target} PRIVATE ${folder})
  target_compile_definitions(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:PW_PROGRAM_MANIFEST>)
  # The .rc names the file, which the resource compiler's dependency scan does not see.
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.rc$")
      set_property(SOURCE ${source} APPEND PROPERTY OBJECT_DEPENDS ${folder}/${program}.manifest)
    endif()
  endforeach()
endfunction()
