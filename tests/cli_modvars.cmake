# The modvars and offsets commands: exact output for fixed inputs, appending, and refusals.
set(out "${WORK}/cli_modvars.txt")
file(REMOVE "${out}")
foreach(round 1 2)
  execute_process(COMMAND ${CLI} modvars ${DATA}/vibration_results.json ${out} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "modvars failed (${rc}): ${err}")
  endif()
endforeach()
set(block "system_dynamics_status=0
system_dynamics_performedCalculation=1
system_dynamics_wrongShaftOrGearCalcNum=0
system_dynamics_controllingShaftNumTM=-1
system_dynamics_shaftResults_0_0_shaftName=Input
system_dynamics_shaftResults_0_0_shaftMass=2.5
system_dynamics_shaftResults_0_0_shaftMassMomentOfInertia=0.002
system_dynamics_modalResults_0_0_shaftName=Input
system_dynamics_modalResults_0_0_mode_0_frequency=0
system_dynamics_modalResults_0_0_mode_0_description=rigid
system_dynamics_modalResults_0_0_mode_0_whirl=0
system_dynamics_modalResults_0_0_mode_1_frequency=412.5
system_dynamics_modalResults_0_0_mode_1_description=bending
system_dynamics_modalResults_0_0_mode_1_whirl=1
system_dynamics_frequencyInputRange=0
system_dynamics_frequencyInputRange=3000
system_dynamics_campbell_classified_0_eigenID=B1
system_dynamics_campbell_classified_0_0_eigenfrequencies=410
system_dynamics_campbell_classified_0_1_eigenfrequencies=412.5
")
file(READ "${out}" got)
if(NOT got STREQUAL "${block}${block}")
  message(FATAL_ERROR "modvars wrote:\n${got}")
endif()
file(REMOVE "${out}")

execute_process(COMMAND ${CLI} offsets ${DATA}/offsets.txt RESULT_VARIABLE rc OUTPUT_VARIABLE got)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "offsets gave (${rc}):\n${got}")
endif()
# Values as the file holds them, in file order: 1;2;3 / 0.5 -0.25 1e-3 and 4;5;6 / 0 0 7.
set(expected "translations 0 0=1.0" "translations 0 2=3.0" "translations 1 0=0.5" "translations 1 1=-0.25"
             "translations 1 2=0.001" "rotations 0 0=4.0" "rotations 0 2=6.0" "rotations 1 1=0.0" "rotations 1 2=7.0")
foreach(entry IN LISTS expected)
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 where)
  list(GET parts 1 value)
  string(REPLACE " " ";" where "${where}")
  string(JSON actual GET "${got}" ${where})
  if(NOT actual STREQUAL value)
    message(FATAL_ERROR "offsets ${where} is ${actual}, expected ${value}:\n${got}")
  endif()
endforeach()
string(JSON rows LENGTH "${got}" translations)
if(NOT rows EQUAL 2)
  message(FATAL_ERROR "offsets gave ${rows} rows:\n${got}")
endif()

# An unwritable file: exit 1 and the reason.
execute_process(COMMAND ${CLI} modvars ${DATA}/vibration_results.json /nonexistent/dir/x.txt RESULT_VARIABLE rc
                ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 1 OR NOT err MATCHES "cannot open /nonexistent/dir/x.txt: No such file or directory")
  message(FATAL_ERROR "modvars to a missing folder should fail with 1 and say why, gave ${rc}: ${err}")
endif()

foreach(args "modvars;${DATA}/offsets.txt;${out}" "offsets;/nonexistent/offsets.txt")
  execute_process(COMMAND ${CLI} ${args} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "drivesys ${args} should fail with 2, gave ${rc}")
  endif()
endforeach()
