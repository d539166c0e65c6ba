# The library: one object target per platform stand-in and per subsystem, linked into one
# shared library. Sources are collected per folder, so adding a file needs no edit here.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(DRIVESYS_PLATFORM_PARTS ntypes nmath ncore wmath nfem)
set(DRIVESYS_SUBSYSTEMS foundation model module dynamics solver housing frequencies forcedresponse loadspectrum exports)

function(drivesys_object_target name dir)
  file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  file(GLOB_RECURSE _hdrs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
  if(NOT _srcs)
    set(_srcs ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} OBJECT ${_srcs} ${_hdrs})
  target_compile_definitions(${name} PRIVATE DRIVESYS_BUILDING)
  target_include_directories(${name} PUBLIC
      $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
      $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/exports>)
  target_link_libraries(${name} PUBLIC nlohmann_json::nlohmann_json fmt::fmt Eigen3::Eigen)
  # The JSON and format headers are in most translation units: compile them once.
  # (Only in the plain builds: GCC 12 rejects Eigen's prefetch builtins after the precompiled
  # header in unoptimised and instrumented builds.)
  if(TARGET ds_pch AND NOT DRIVESYS_SANITIZE AND NOT DRIVESYS_TSAN AND NOT DRIVESYS_FUZZ)
    target_precompile_headers(${name} REUSE_FROM ds_pch)
  endif()
endfunction()

add_library(ds_pch OBJECT ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
target_compile_definitions(ds_pch PRIVATE DRIVESYS_BUILDING)
target_include_directories(ds_pch PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/exports>)
target_link_libraries(ds_pch PUBLIC nlohmann_json::nlohmann_json fmt::fmt Eigen3::Eigen)
target_precompile_headers(ds_pch PRIVATE <nlohmann/json.hpp> <fmt/format.h> <fmt/xchar.h> <string> <vector> <memory> <map>)

# GCC 12 rejects Eigen's SSE prefetch intrinsic at -O0 in a translation unit that starts from the
# precompiled header ("second argument to '__builtin_prefetch' must be a constant"): sources that
# instantiate Eigen's matrix products compile without it.
set(DRIVESYS_NO_PCH_SOURCES platform/nmath/nmatrix.cpp)
foreach(src IN LISTS DRIVESYS_NO_PCH_SOURCES)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/${src} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endforeach()

set(_ds_objects)
foreach(part IN LISTS DRIVESYS_PLATFORM_PARTS)
  drivesys_object_target(ds_${part} platform/${part})
  list(APPEND _ds_objects ds_${part})
endforeach()
foreach(sub IN LISTS DRIVESYS_SUBSYSTEMS)
  drivesys_object_target(ds_${sub} ${sub})
  list(APPEND _ds_objects ds_${sub})
endforeach()

add_library(drivesys SHARED)
add_library(drivesys::drivesys ALIAS drivesys)
foreach(obj IN LISTS _ds_objects)
  target_sources(drivesys PRIVATE $<TARGET_OBJECTS:${obj}>)
endforeach()
set_target_properties(drivesys PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
                                          EXPORT_NAME drivesys)
target_compile_features(drivesys PUBLIC cxx_std_20)
target_include_directories(drivesys PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/exports>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/drivesys>)
target_link_libraries(drivesys PUBLIC nlohmann_json::nlohmann_json fmt::fmt Eigen3::Eigen)
if(NOT DRIVESYS_FUZZ)
  target_link_options(drivesys PRIVATE -Wl,--no-undefined)
endif()
set(DRIVESYS_OBJECT_TARGETS ${_ds_objects} CACHE INTERNAL "object targets of the library")

# Installation: headers keep their folder layout under include/drivesys, so the umbrella header and
# the headers it includes resolve the same way installed as in the source tree.
install(TARGETS drivesys EXPORT drivesysTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(dir IN LISTS DRIVESYS_SUBSYSTEMS ITEMS platform)
  if(NOT dir STREQUAL "exports")
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/drivesys
            FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/exports/drivesys DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")
install(EXPORT drivesysTargets NAMESPACE drivesys:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/drivesys)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/drivesysConfig.cmake.in
    ${PROJECT_BINARY_DIR}/drivesysConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/drivesys)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/drivesysConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/drivesysConfig.cmake ${PROJECT_BINARY_DIR}/drivesysConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/drivesys)
