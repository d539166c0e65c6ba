# The libraries, built from one object target per layer.
#
# Every folder below is a layer with the layers it may use. A layer's sources see the headers of
# its own folder and of the layers below it, and nothing else: each layer compiles against its own
# include tree (build/layers/<layer>/drivesys/...), made of links to exactly those folders, so an
# include of a higher layer does not compile. Every header is reached as "drivesys/<folder>/...",
# in the source tree as installed.
#
# The layers make up two shared libraries, drivesys::platform (the stand-ins of the suite's
# platform libraries) and drivesys::drivesys (the system module), and three static libraries used
# by the tool, the tests and the examples only: drivesys::samples (demo data),
# drivesys::render (the SVG pictures of diagrams) and drivesys::report (the HTML report of a
# solved definition).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(DRIVESYS_LAYERS)
# drivesys_layer(<name> <folder> <library> [<layer it uses>...])
macro(drivesys_layer name dir lib)
  list(APPEND DRIVESYS_LAYERS ${name})
  set(_ds_dir_${name} ${dir})
  set(_ds_lib_${name} ${lib})
  set(_ds_uses_${name} ${ARGN})
endmacro()
drivesys_layer(ntypes         platform/ntypes platform)
drivesys_layer(nmath          platform/nmath  platform ntypes)
drivesys_layer(ncore          platform/ncore  platform nmath)
drivesys_layer(wmath          platform/wmath  platform nmath)
drivesys_layer(nfem           platform/nfem   platform nmath)
drivesys_layer(foundation     foundation      drivesys ncore)
drivesys_layer(model          model           drivesys foundation)
drivesys_layer(frequencies    frequencies     drivesys foundation)
drivesys_layer(forcedresponse forcedresponse  drivesys foundation)
drivesys_layer(loadspectrum   loadspectrum    drivesys foundation)
drivesys_layer(module         module          drivesys frequencies forcedresponse loadspectrum)
drivesys_layer(dynamics       dynamics        drivesys foundation wmath)
drivesys_layer(solver         solver          drivesys dynamics model housing)
drivesys_layer(housing        housing         drivesys dynamics nfem)
drivesys_layer(exports        exports         drivesys model module solver housing)
drivesys_layer(samples        samples         samples model module solver)
drivesys_layer(render         render          render ncore)
drivesys_layer(report         report          report solver render)

# The layers a layer sees: itself and everything below it.
function(drivesys_layer_closure name out)
  set(_seen ${name})
  set(_todo ${_ds_uses_${name}})
  while(_todo)
    list(POP_FRONT _todo _l)
    if(NOT _l IN_LIST _seen)
      list(APPEND _seen ${_l})
      list(APPEND _todo ${_ds_uses_${_l}})
    endif()
  endwhile()
  set(${out} ${_seen} PARENT_SCOPE)
endfunction()

# An include tree <root>/drivesys/... of links to the folders of the given layers.
function(drivesys_include_tree root)
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/drivesys/platform)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/platform/drivesys_export.h ${root}/drivesys/platform/drivesys_export.h SYMBOLIC)
  foreach(l IN LISTS ARGN)
    if(l STREQUAL "exports")
      # The family headers sit at the top: <drivesys/drivesys.h>, <drivesys/model.h>, ...
      file(GLOB _family ${PROJECT_SOURCE_DIR}/exports/drivesys/*.h)
      foreach(h IN LISTS _family)
        get_filename_component(_n ${h} NAME)
        file(CREATE_LINK ${h} ${root}/drivesys/${_n} SYMBOLIC)
      endforeach()
    else()
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${_ds_dir_${l}} ${root}/drivesys/${_ds_dir_${l}} SYMBOLIC)
    endif()
  endforeach()
endfunction()

# drivesys/version.h, generated from the project version.
set(DRIVESYS_GENERATED_INCLUDE ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/version.h.in ${DRIVESYS_GENERATED_INCLUDE}/drivesys/version.h @ONLY)

add_library(ds_pch OBJECT ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
target_compile_definitions(ds_pch PRIVATE DRIVESYS_BUILDING)
target_link_libraries(ds_pch PUBLIC nlohmann_json::nlohmann_json fmt::fmt Eigen3::Eigen)
target_precompile_headers(ds_pch PRIVATE <nlohmann/json.hpp> <fmt/format.h> <fmt/xchar.h> <string> <vector> <memory> <map>)

# GCC 12 rejects Eigen's SSE prefetch intrinsic at -O0 in a translation unit that starts from the
# precompiled header ("second argument to '__builtin_prefetch' must be a constant"): sources that
# instantiate Eigen's matrix products compile without it.
set(DRIVESYS_NO_PCH_SOURCES platform/nmath/nmatrix.cpp)
foreach(src IN LISTS DRIVESYS_NO_PCH_SOURCES)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/${src} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endforeach()

# The check of the processor's instruction-set level runs before the rest of the library and is
# compiled for the baseline (a later -march wins).
set(_ds_cpu_check ${PROJECT_SOURCE_DIR}/platform/ntypes/cpu_level.cpp)
set_source_files_properties(${_ds_cpu_check} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
if(DRIVESYS_ARCH STREQUAL "x86-64-v3")
  set_source_files_properties(${_ds_cpu_check} PROPERTIES
      COMPILE_OPTIONS -march=x86-64 COMPILE_DEFINITIONS DRIVESYS_REQUIRE_X86_64_V3)
endif()

foreach(layer IN LISTS DRIVESYS_LAYERS)
  set(dir ${_ds_dir_${layer}})
  file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  file(GLOB_RECURSE _hdrs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
  if(NOT _srcs)
    set(_srcs ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  drivesys_layer_closure(${layer} _visible)
  drivesys_include_tree(${PROJECT_BINARY_DIR}/layers/${layer} ${_visible})
  add_library(ds_${layer} OBJECT ${_srcs} ${_hdrs})
  # What the link check (scripts/check-layer-links.sh) reads: the layer's objects and the layers
  # it may use.
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/layer_links/${layer}.objects
       CONTENT "$<JOIN:$<TARGET_OBJECTS:ds_${layer}>,\n>\n")
  list(JOIN _visible "\n" _sees)
  file(WRITE ${PROJECT_BINARY_DIR}/layer_links/${layer}.sees "${_sees}\n")
  target_compile_definitions(ds_${layer} PRIVATE DRIVESYS_BUILDING)
  target_include_directories(ds_${layer} PRIVATE ${PROJECT_BINARY_DIR}/layers/${layer} ${DRIVESYS_GENERATED_INCLUDE})
  target_link_libraries(ds_${layer} PRIVATE nlohmann_json::nlohmann_json fmt::fmt Eigen3::Eigen)
  foreach(used IN LISTS _ds_uses_${layer})
    target_link_libraries(ds_${layer} PRIVATE ds_${used})
  endforeach()
  # The JSON and format headers are in most translation units: compile them once.
  # (Only in the plain builds: GCC 12 rejects Eigen's prefetch builtins after the precompiled
  # header in unoptimised and instrumented builds.)
  if(NOT DRIVESYS_SANITIZE AND NOT DRIVESYS_TSAN AND NOT DRIVESYS_FUZZ)
    target_precompile_headers(ds_${layer} REUSE_FROM ds_pch)
  endif()
endforeach()

target_include_directories(ds_solver SYSTEM PRIVATE ${DRIVESYS_SPECTRA_INCLUDE} ${DRIVESYS_KLU_INCLUDE})

# What the tool, the tests, the benchmarks and the examples built in this tree see: every folder,
# laid out as installed (plus the internal headers, which are not installed).
set(DRIVESYS_BUILD_INCLUDE ${PROJECT_BINARY_DIR}/include)
drivesys_include_tree(${DRIVESYS_BUILD_INCLUDE} ${DRIVESYS_LAYERS})

function(drivesys_library target kind alias)
  add_library(${target} ${kind})
  add_library(drivesys::${alias} ALIAS ${target})
  set(_objs)
  foreach(layer IN LISTS DRIVESYS_LAYERS)
    if(_ds_lib_${layer} STREQUAL alias)
      target_sources(${target} PRIVATE $<TARGET_OBJECTS:ds_${layer}>)
      list(APPEND _objs ds_${layer})
    endif()
  endforeach()
  set(DRIVESYS_OBJECTS_${alias} ${_objs} CACHE INTERNAL "object targets of drivesys::${alias}")
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_include_directories(${target} PUBLIC
      $<BUILD_INTERFACE:${DRIVESYS_BUILD_INCLUDE}>
      $<BUILD_INTERFACE:${DRIVESYS_GENERATED_INCLUDE}>
      $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${alias})
endfunction()

drivesys_library(drivesys_platform SHARED platform)
drivesys_library(drivesys SHARED drivesys)
drivesys_library(drivesys_samples STATIC samples)
drivesys_library(drivesys_render STATIC render)
drivesys_library(drivesys_report STATIC report)
set_target_properties(drivesys_platform drivesys PROPERTIES VERSION ${PROJECT_VERSION}
                                                            SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
target_link_libraries(drivesys_platform PUBLIC nlohmann_json::nlohmann_json PRIVATE fmt::fmt Eigen3::Eigen)
target_link_libraries(drivesys PUBLIC drivesys::platform nlohmann_json::nlohmann_json PRIVATE fmt::fmt Eigen3::Eigen Threads::Threads ${DRIVESYS_KLU_LIBRARIES})
target_link_libraries(drivesys_samples PUBLIC drivesys::drivesys)
target_link_libraries(drivesys_render PUBLIC drivesys::platform PRIVATE fmt::fmt)
target_link_libraries(drivesys_report PUBLIC drivesys::drivesys drivesys::render PRIVATE fmt::fmt)
# Only the marked API leaves the shared libraries (DrivesysExports.cmake); the libFuzzer build
# keeps its instrumentation's symbols and allows them undefined.
include(${PROJECT_SOURCE_DIR}/cmake/DrivesysExports.cmake)
set(_ds_platform_folders)
set(_ds_module_folders)
foreach(layer IN LISTS DRIVESYS_LAYERS)
  if(_ds_lib_${layer} STREQUAL "platform")
    list(APPEND _ds_platform_folders ${_ds_dir_${layer}})
  elseif(_ds_lib_${layer} STREQUAL "drivesys")
    list(APPEND _ds_module_folders ${_ds_dir_${layer}})
  endif()
endforeach()
drivesys_version_script(${PROJECT_BINARY_DIR}/exports/drivesys_platform.map FOLDERS ${_ds_platform_folders})
drivesys_version_script(${PROJECT_BINARY_DIR}/exports/drivesys.map FOLDERS ${_ds_module_folders})
if(NOT DRIVESYS_FUZZ)
  foreach(lib drivesys_platform drivesys)
    target_link_options(${lib} PRIVATE -Wl,--no-undefined LINKER:--version-script=${PROJECT_BINARY_DIR}/exports/${lib}.map)
    set_property(TARGET ${lib} APPEND PROPERTY LINK_DEPENDS ${PROJECT_BINARY_DIR}/exports/${lib}.map)
  endforeach()
endif()
set(DRIVESYS_OBJECT_TARGETS ${DRIVESYS_OBJECTS_platform} ${DRIVESYS_OBJECTS_drivesys} CACHE INTERNAL
    "object targets of the two shared libraries")

# The layer graph as docs/architecture.md shows it (the test "architecture_graph" compares the two).
set(_graph "```mermaid\ngraph BT\n")
foreach(lib platform drivesys samples render report)
  string(APPEND _graph "  subgraph drivesys::${lib}\n")
  foreach(layer IN LISTS DRIVESYS_LAYERS)
    if(_ds_lib_${layer} STREQUAL lib)
      string(APPEND _graph "    ${layer}\n")
    endif()
  endforeach()
  string(APPEND _graph "  end\n")
endforeach()
foreach(layer IN LISTS DRIVESYS_LAYERS)
  foreach(used IN LISTS _ds_uses_${layer})
    string(APPEND _graph "  ${layer} --> ${used}\n")
  endforeach()
endforeach()
string(APPEND _graph "```\n")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/architecture_graph.md CONTENT "${_graph}")

include(${PROJECT_SOURCE_DIR}/cmake/DrivesysInstall.cmake)
