# The include-graph check must fail on a bad edge: copies the tree's sources into a scratch folder,
# plants one include of a program's class into core/, and expects the check to refuse exactly that.
#   cmake -DROOT=<tree> -DTABLE=<allowed_edges.txt> -DSCRATCH=<dir> -P planted_edge.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(GLOB top LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
foreach(t IN LISTS top)
  if(IS_DIRECTORY ${ROOT}/${t} AND NOT t MATCHES "^(\\.|build)")
    file(COPY ${ROOT}/${t} DESTINATION ${SCRATCH} FILES_MATCHING PATTERN "*.h" PATTERN "*.cpp")
  endif()
endforeach()
# The scratch copy as it is must pass.
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${SCRATCH} -DTABLE=${TABLE} -P ${CMAKE_CURRENT_LIST_DIR}/include_graph.cmake
                RESULT_VARIABLE clean_rc OUTPUT_VARIABLE clean_out ERROR_VARIABLE clean_err)
if(NOT clean_rc EQUAL 0)
  message(FATAL_ERROR "the unplanted scratch copy fails the check:\n${clean_err}")
endif()
file(APPEND ${SCRATCH}/core/zodiac.h "\n#include \"programs/zyklist/listing_app.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${SCRATCH} -DTABLE=${TABLE} -P ${CMAKE_CURRENT_LIST_DIR}/include_graph.cmake
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE ${SCRATCH})
if(rc EQUAL 0)
  message(FATAL_ERROR "the check passed a planted include of programs/ in core/")
endif()
if(NOT err MATCHES "core/zodiac.h: #include \"programs/zyklist/listing_app.h\" is the edge core -> programs")
  message(FATAL_ERROR "the check failed, but not on the planted edge:\n${err}")
endif()
string(REGEX MATCHALL "is the edge" edges "${err}")
list(LENGTH edges n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "the check refused ${n} edges, expected only the planted one:\n${err}")
endif()
message(STATUS "include graph: the planted edge core -> programs is refused")
