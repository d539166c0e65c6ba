# Runs the command-line tool's basic commands and fails on a non-zero exit.
foreach(args "schema;Axis" "record;NvCoordinateSystem" "describe;S010" "describe;S020")
  execute_process(COMMAND ${CLI} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "drivesys ${args} failed (${rc}): ${err}")
  endif()
endforeach()
