# Qt rules of the suite: the Qt packages and the helper that builds a program executable.
find_package(Qt6 REQUIRED COMPONENTS Widgets Gui Svg PrintSupport)

# talpora_add_qt_program(NAME SOURCES... [LIBS...]): a windowed program of the suite, linked with
# the Qt platform layer, written to the program directory (build/<preset>/bin).
function(talpora_add_qt_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE talpora_qtplatform ${ARG_LIBS})
  talpora_compile_options(${name})
endfunction()
