# Helpers shared by the project's CMake files.
include(GoogleTest)

# agency_test(NAME SOURCES... LIBS...): a GoogleTest executable run by CTest.
function(agency_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "AGENCY_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# agency_plugin(Deliverable SOURCES... LIBS...): one report plug-in library,
# build/plugins/<Deliverable>.so, carrying the frame; only ClassDll and
# Imprimir are exported.
function(agency_plugin name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} MODULE ${P_SOURCES})
  target_link_libraries(${name} PRIVATE nrw_frame printworks dataworks toolworks ${P_LIBS})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${AGENCY_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${name} PRIVATE -Wl,--no-undefined)
  set_property(GLOBAL APPEND PROPERTY AGENCY_PLUGINS ${name})
endfunction()
