# The installed package as a host sees it: installs the build into PREFIX, then
#  1. the installed headers are exactly those <drivesys/drivesys.h> reaches, with only
#     <prefix>/include on the include path (nothing internal is installed, nothing is missing);
#  2. the README's tour, taken from the README as it stands, compiles and links with the flags of
#     the pkg-config file, and runs;
#  3. with ABI set, the symbols each shared library exports equal the checked list in ABI/
#     (scripts/update-abi.sh rewrites the lists after an intended change; the diff shows it).
# Inputs: BUILD, PREFIX, LIBDIR, README, CXX, WORK, ABI (optional).
file(REMOVE_RECURSE "${PREFIX}" "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc}): ${err}")
endif()
set(failures "")

# 1. Installed headers against the umbrella header's closure.
file(GLOB_RECURSE installed RELATIVE "${PREFIX}/include" "${PREFIX}/include/*.h")
list(SORT installed)
execute_process(COMMAND ${CXX} -std=c++20 -MM -I${PREFIX}/include -x c++ "${PREFIX}/include/drivesys/drivesys.h"
                RESULT_VARIABLE rc OUTPUT_VARIABLE deps ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed umbrella header does not compile on its own:\n${err}")
endif()
string(REGEX REPLACE "[ \t\r\n\\\\]+" ";" deps "${deps}")
set(reached)
foreach(d IN LISTS deps)
  if(d MATCHES "^${PREFIX}/include/(.+\\.h)$")
    list(APPEND reached "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(REMOVE_DUPLICATES reached)
list(SORT reached)
if(NOT installed STREQUAL reached)
  set(extra ${installed})
  list(REMOVE_ITEM extra ${reached})
  set(missing ${reached})
  list(REMOVE_ITEM missing ${installed})
  string(APPEND failures "installed headers the umbrella header does not reach: ${extra}\n"
                         "headers reached but not installed: ${missing}\n")
endif()

# 2. The README's tour: the first C++ block after the heading "## Using the library".
file(READ "${README}" readme)
string(FIND "${readme}" "## Using the library" at)
string(SUBSTRING "${readme}" ${at} -1 readme)
string(FIND "${readme}" "```cpp\n" begin)
string(SUBSTRING "${readme}" ${begin} -1 readme)
string(LENGTH "```cpp\n" skip)
string(SUBSTRING "${readme}" ${skip} -1 readme)
string(FIND "${readme}" "```" end)
string(SUBSTRING "${readme}" 0 ${end} tour)
file(WRITE "${WORK}/tour.cpp" "${tour}")
set(ENV{PKG_CONFIG_PATH} "${PREFIX}/${LIBDIR}/pkgconfig")
execute_process(COMMAND pkg-config --cflags --libs drivesys RESULT_VARIABLE rc OUTPUT_VARIABLE flags ERROR_VARIABLE err
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not find the installed package: ${err}")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
execute_process(COMMAND ${CXX} "${WORK}/tour.cpp" -o "${WORK}/tour" ${flags} "-Wl,-rpath,${PREFIX}/${LIBDIR}"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  string(APPEND failures "the README tour does not build against the installed package:\n${err}\n")
else()
  execute_process(COMMAND "${WORK}/tour" WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^drivesys [0-9]+\\.[0-9]+\\.[0-9]+: 1e-05 m under 1 kN")
    string(APPEND failures "the README tour ran with status ${rc}: ${out}${err}\n")
  endif()
endif()

# 3. The exported symbols.
if(ABI)
  foreach(lib drivesys_platform drivesys)
    execute_process(COMMAND nm -D --defined-only -C "${PREFIX}/${LIBDIR}/lib${lib}.so" COMMAND cut -d " " -f 2-
                    COMMAND env LC_ALL=C sort OUTPUT_FILE "${WORK}/lib${lib}.symbols" RESULT_VARIABLE rc)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${ABI}/lib${lib}.symbols" "${WORK}/lib${lib}.symbols"
                    RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      execute_process(COMMAND diff -u "${ABI}/lib${lib}.symbols" "${WORK}/lib${lib}.symbols" OUTPUT_VARIABLE d)
      string(APPEND failures "the symbols lib${lib}.so exports changed (scripts/update-abi.sh accepts an intended change):\n${d}\n")
    endif()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
