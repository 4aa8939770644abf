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
    # GCC's flow warnings follow its inlining, which changes with things as remote as the length of
    # the source path: the same code warns in one checkout and not in another. They stay warnings.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      add_compile_options(-Wno-error=array-bounds -Wno-error=stringop-overflow -Wno-error=stringop-overread
                          -Wno-error=restrict -Wno-error=maybe-uninitialized -Wno-error=free-nonheap-object)
    endif()
  endif()
elseif(MSVC)
  add_compile_options(/W4)
  if(FATHOMER_WARNINGS_AS_ERRORS)
    add_compile_options(/WX)
  endif()
endif()
