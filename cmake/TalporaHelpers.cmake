# Shared build rules for every target of the suite.

# Warnings and floating-point rules applied to our own targets only.
function(talpora_compile_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -ffp-contract=off)
endfunction()

# talpora_add_library(NAME [SOURCES...]) or with GLOB: every *.cpp of the folder.
# The library's include root is the repository root, so headers are included as
# "folder/header.h".
function(talpora_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT ARG_SOURCES)
    message(STATUS "${name}: no sources yet, not built")
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
  talpora_compile_options(${name})
endfunction()

# talpora_add_test(NAME SOURCES... LIBS...): one GoogleTest executable, registered with CTest.
function(talpora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  talpora_compile_options(${name})
  target_compile_definitions(${name} PRIVATE
      TALPORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TALPORA_BIN_DIR="${TALPORA_BIN_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}")
endfunction()

# talpora_add_folder_tests(FOLDER_LIB [LIBS...]): every tests/*_test.cpp of the current folder as one
# test executable named <lib>_tests. Tests that need Qt are named *_qt_test.cpp and are left to the
# folder (they build only with Qt and carry the label "qt").
function(talpora_add_folder_tests lib)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  list(FILTER sources EXCLUDE REGEX "_qt_test\\.cpp$")
  if(sources AND TARGET ${lib})
    talpora_add_test(${lib}_tests SOURCES ${sources} LIBS ${lib} ${ARGN})
  endif()
endfunction()

# Copy a data file into the program directory (build/<preset>/bin) at build time.
function(talpora_program_data target)
  foreach(file IN LISTS ARGN)
    get_filename_component(fname ${file} NAME)
    add_custom_command(OUTPUT ${TALPORA_BIN_DIR}/${fname}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${TALPORA_BIN_DIR}/${fname}
        DEPENDS ${file} VERBATIM)
    list(APPEND outputs ${TALPORA_BIN_DIR}/${fname})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
