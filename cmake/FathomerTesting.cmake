# fathomer_qt_test(<group> <name> [SOURCES extra...] [LIBS libraries...])
# A Qt Test executable built from <name>.cpp and registered as <group>.<name>, run headless.
function(fathomer_qt_test group name)
  cmake_parse_arguments(TEST "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${name}.cpp ${TEST_SOURCES})
  target_link_libraries(${name} PRIVATE ${TEST_LIBS} Qt6::Test)
  add_test(NAME ${group}.${name} COMMAND ${name})
  set_tests_properties(${group}.${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
endfunction()
