# Tests register under one naming scheme, <folder>.<test>: the folder the test lives in (tests/game
# gives "game", tools/manualgen "manualgen", packaging/tests "packaging", fuzz "fuzz") and the test's
# own name, so that `ctest -R '^game\.'` runs one folder and a failure names where to look.

# Headless by default: offscreen Qt and SDL's dummy audio driver. The user's overlay of the program
# folder points at a folder nothing creates, so no test reads the files of whoever runs the suite
# (tests that write one set their own).
set(FATHOMER_TEST_DATA_HOME ${CMAKE_BINARY_DIR}/test-data-home)
set(FATHOMER_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;XDG_DATA_HOME=${FATHOMER_TEST_DATA_HOME}")

# fathomer_test_folder(<variable>): the folder part of the names of tests registered here.
function(fathomer_test_folder variable)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "^(tests|tools)/" "" folder "${folder}")
  string(REGEX REPLACE "/tests$" "" folder "${folder}")
  string(REPLACE "/" "." folder "${folder}")
  set(${variable} ${folder} PARENT_SCOPE)
endfunction()

# fathomer_add_test(<name> COMMAND command... [ENVIRONMENT variables...] [PROPERTIES properties...])
# Registers <folder>.<name>; ENVIRONMENT replaces the headless default.
function(fathomer_add_test name)
  cmake_parse_arguments(TEST "" "" "COMMAND;ENVIRONMENT;PROPERTIES" ${ARGN})
  fathomer_test_folder(folder)
  if(NOT TEST_ENVIRONMENT)
    set(TEST_ENVIRONMENT ${FATHOMER_TEST_ENVIRONMENT})
  endif()
  add_test(NAME ${folder}.${name} COMMAND ${TEST_COMMAND})
  set_tests_properties(${folder}.${name} PROPERTIES ENVIRONMENT "${TEST_ENVIRONMENT}" ${TEST_PROPERTIES})
endfunction()

# fathomer_qt_test(<name> [SOURCES extra...] [LIBS libraries...] [ENVIRONMENT ...] [PROPERTIES ...])
# A Qt Test executable built from <name>.cpp and registered as <folder>.<name>.
function(fathomer_qt_test name)
  cmake_parse_arguments(TEST "" "" "SOURCES;LIBS;ENVIRONMENT;PROPERTIES" ${ARGN})
  add_executable(${name} ${name}.cpp ${TEST_SOURCES})
  target_link_libraries(${name} PRIVATE ${TEST_LIBS} Qt6::Test)
  set(extra)
  if(TEST_ENVIRONMENT)
    list(APPEND extra ENVIRONMENT ${TEST_ENVIRONMENT})
  endif()
  if(TEST_PROPERTIES)
    list(APPEND extra PROPERTIES ${TEST_PROPERTIES})
  endif()
  fathomer_add_test(${name} COMMAND ${name} ${extra})
endfunction()

# fathomer_testing_only(): opens every folder of tests, benchmarks or fuzz targets. With BUILD_TESTING
# off the folder configures nothing (a macro, so that its return() leaves the calling folder).
macro(fathomer_testing_only)
  if(NOT BUILD_TESTING)
    return()
  endif()
endmacro()
