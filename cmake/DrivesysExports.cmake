# The exported symbols of a shared library: what its headers mark with DRIVESYS_API, and nothing
# else. The marks are read from the headers and turned into a linker version script, so standard-
# library, JSON, {fmt} and Eigen instantiations the library makes for itself stay local, and a host
# that links its own versions of those libraries gets no clashes.
#
# Exported per marked class or struct X (and its template instances X<...>): its members, its
# type information, virtual table and thunks. Per marked free function f: f(...), or
# "R f<...>(...)" for a marked explicit instantiation; a marked variable by its name. Everything
# in the namespaces the headers open (as far as its visibility lets it out).

# drivesys_version_script(<output file> FOLDERS <folder>...)
function(drivesys_version_script out)
  cmake_parse_arguments(ARG "" "" "FOLDERS" ${ARGN})
  # Version-script patterns are globs over demangled names, unquoted ('?' stands for a blank or
  # a '<', which the script's syntax does not allow).
  set(patterns)
  set(headers)
  foreach(dir IN LISTS ARG_FOLDERS)
    file(GLOB_RECURSE _h ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND headers ${_h})
  endforeach()
  list(SORT headers)
  # A changed mark rewrites the script at the next build.
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${headers})
  foreach(h IN LISTS headers)
    # Everything in a namespace the headers open is exported as far as its visibility allows.
    file(STRINGS ${h} spaces REGEX "^[ \t]*namespace[ \t]+[A-Za-z_][A-Za-z0-9_:]*[ \t]*{")
    foreach(line IN LISTS spaces)
      string(REGEX REPLACE "^[ \t]*namespace[ \t]+([A-Za-z_][A-Za-z0-9_:]*).*" "\\1" ns "${line}")
      foreach(kind "" "typeinfo?for?" "typeinfo?name?for?" "vtable?for?" "non-virtual?thunk?to?" "virtual?thunk?to?")
        list(APPEND patterns "${kind}${ns}::*")
      endforeach()
    endforeach()
    file(STRINGS ${h} lines REGEX "DRIVESYS_API")
    foreach(line IN LISTS lines)
      if(line MATCHES "^[ \t]*//" OR line MATCHES "#define")
        continue()
      endif()
      if(line MATCHES "DRIVESYS_API[ \t]+extern[ \t].*[ \t*&]([A-Za-z_][A-Za-z0-9_]*)[ \t]*;")
        list(APPEND patterns "${CMAKE_MATCH_1}")
      elseif(line MATCHES "(class|struct)[ \t]+DRIVESYS_API[ \t]+([A-Za-z_][A-Za-z0-9_]*)")
        set(c ${CMAKE_MATCH_2})
        foreach(kind "" "non-virtual?thunk?to?" "virtual?thunk?to?")
          list(APPEND patterns "${kind}${c}::*" "${kind}${c}?*?::*")
        endforeach()
        foreach(kind "typeinfo?for?" "typeinfo?name?for?" "vtable?for?" "VTT?for?")
          list(APPEND patterns "${kind}${c}" "${kind}${c}?*?")
        endforeach()
      elseif(line MATCHES "DRIVESYS_API.*[ \t*&]operator[^(]+\\(")
        list(APPEND patterns "operator*")
      elseif(line MATCHES "DRIVESYS_API.*[ \t*&:]([A-Za-z_][A-Za-z0-9_]*)<[^(]*>[ \t]*\\(")
        list(APPEND patterns "*?${CMAKE_MATCH_1}?*")
      elseif(line MATCHES "DRIVESYS_API.*[ \t*&:]([A-Za-z_][A-Za-z0-9_]*)[ \t]*\\(")
        list(APPEND patterns "${CMAKE_MATCH_1}?*")
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES patterns)
  set(text "/* Generated from the DRIVESYS_API marks of the headers: do not edit. */\n{\n  global:\n    extern \"C++\" {\n")
  foreach(p IN LISTS patterns)
    string(APPEND text "      ${p};\n")
  endforeach()
  string(APPEND text "    };\n  local: *;\n};\n")
  file(CONFIGURE OUTPUT ${out} CONTENT "${text}" @ONLY)
endfunction()
