# The installed tool starts from its install prefix without a library search path of the host:
# it finds the library through its relative run path.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc}): ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH "${PREFIX}/bin/drivesys" --version
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "drivesys [0-9]+\\.[0-9]+\\.[0-9]+ \\(library version number 2025\\)")
  message(FATAL_ERROR "installed drivesys --version gave (${rc}): ${out}${err}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
