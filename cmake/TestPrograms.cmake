# How the test programs are compiled.
#
# Optimised builds compile the tests' own code at -O1: the engine they call keeps
# the build's optimisation, and most of a test file's compile time at -O2 goes
# into optimising test bodies that run once.
#
# Built in batches (cmake/Batches.cmake) a test program may also precompile the
# headers its files share (a compiler cache cannot keep files built with a
# precompiled header, so only without one).

# tavrine_test_program(target [header...]): the above for one test program; the
# given headers are precompiled for the batches (worth it only for a program of
# many batches).
function(tavrine_test_program target)
  if(CMAKE_BUILD_TYPE MATCHES "Rel")
    target_compile_options(${target} PRIVATE -O1)
  endif()
  if(NOT TAVRINE_BATCH)
    return()
  endif()
  if(ARGN AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()
