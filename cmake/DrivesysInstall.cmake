# Installation: the two shared libraries, the public headers under <prefix>/include/drivesys, the
# CMake package (drivesys::platform, drivesys::drivesys) and a pkg-config file.
#
# Public are the headers a host reaches from <drivesys/drivesys.h>; the rest are internal and stay
# in the source tree: the record machinery's implementation (*_impl.h), the record families' type
# lists (<folder>_records.h), the module-variable line writer, the bounded-message formatter, the
# housing coupling's nearest-node rule and symmetric inverse, the module screen's internal steps,
# the solver's model and numerics, the samples and the SVG renderer. The test "installed_package"
# holds the installed set to the umbrella header's closure.
set(DRIVESYS_INTERNAL_HEADERS
    "[^/]*_impl\\.h$"
    "^foundation/module_variables_writer\\.h$"
    "^housing/(boundedmessage|nearest_node|symmetric_inverse)\\.h$"
    "^[a-z]+/[a-z]+_records\\.h$"
    "^foundation/type_list\\.h$"
    "^module/meta_s020\\.h$"
    "^solver/(assignment|beam_element|forced_response|housing_elimination|housing_model|modal|model|parallel|quadratic_eigen|results)\\.h$")

install(TARGETS drivesys_platform drivesys EXPORT drivesysTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/platform/drivesys_export.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/drivesys/platform)
install(FILES ${DRIVESYS_GENERATED_INCLUDE}/drivesys/version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/drivesys)
foreach(layer IN LISTS DRIVESYS_LAYERS)
  if(NOT _ds_lib_${layer} MATCHES "^(platform|drivesys)$")
    continue()
  endif()
  set(dir ${_ds_dir_${layer}})
  file(GLOB_RECURSE _hdrs RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${dir}/*.h)
  foreach(h IN LISTS _hdrs)
    set(_internal OFF)
    foreach(pattern IN LISTS DRIVESYS_INTERNAL_HEADERS)
      if(h MATCHES "${pattern}")
        set(_internal ON)
      endif()
    endforeach()
    if(_internal)
      continue()
    endif()
    if(layer STREQUAL "exports")
      string(REGEX REPLACE "^exports/drivesys" "" _sub ${h})
    else()
      set(_sub /${h})
    endif()
    get_filename_component(_dest ${CMAKE_INSTALL_INCLUDEDIR}/drivesys${_sub} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/${h} DESTINATION ${_dest})
  endforeach()
endforeach()

install(EXPORT drivesysTargets NAMESPACE drivesys:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/drivesys)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/drivesysConfig.cmake.in
    ${PROJECT_BINARY_DIR}/drivesysConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/drivesys)
# While the major version is 0, a minor release may change the interface: a request for 0.y is
# met by 0.y.* only. From 1.0 on, by every later release of the same major version.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(_ds_compat SameMinorVersion)
else()
  set(_ds_compat SameMajorVersion)
endif()
write_basic_package_version_file(${PROJECT_BINARY_DIR}/drivesysConfigVersion.cmake COMPATIBILITY ${_ds_compat})
configure_file(${PROJECT_SOURCE_DIR}/cmake/drivesys.pc.in ${PROJECT_BINARY_DIR}/drivesys.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/drivesysConfig.cmake ${PROJECT_BINARY_DIR}/drivesysConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/drivesys)
install(FILES ${PROJECT_BINARY_DIR}/drivesys.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
