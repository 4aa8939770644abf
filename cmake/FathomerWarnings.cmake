# Warnings for every target built here: the program, its tests, tools, benchmarks and fuzz drivers.
# CI turns them into errors (FATHOMER_WARNINGS_AS_ERRORS, set by scripts/test and
# scripts/test-sanitized) so that a new warning fails the build instead of scrolling past.
option(FATHOMER_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
  # Under the sanitizers GCC's guesses at uninitialised reads follow the instrumentation rather than
  # the code; the sanitizers check those reads themselves as the tests run.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND FATHOMER_SANITIZE)
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
  if(FATHOMER_WARNINGS_AS_ERRORS)
    add_compile_options(-Werror)
  endif()
elseif(MSVC)
  add_compile_options(/W4)
  if(FATHOMER_WARNINGS_AS_ERRORS)
    add_compile_options(/WX)
  endif()
endif()
