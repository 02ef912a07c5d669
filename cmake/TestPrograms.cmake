# How the test programs are compiled.
#
# Optimised builds compile the tests' own code at -O1: the engine they call keeps
# the build's optimisation, and most of a test file's compile time at -O2 goes
# into optimising test bodies that run once.
#
# Built afresh (a new clone, CI: no compiler cache) a test program compiles its
# files in batches, several test files to one compiler run, so that GoogleTest's
# and the toolkit's headers are read once per batch instead of once per file.
# With a compiler cache each file is compiled alone, so that editing one test
# recompiles one file (and a cache cannot keep files built with a precompiled
# header). TAVRINE_BATCH_TESTS=ON forces batches, to check that the files still
# compile together.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(batch_default OFF)
else()
  set(batch_default ON)
endif()
option(TAVRINE_BATCH_TESTS "Compile test programs in batches over a precompiled header" ${batch_default})

# tavrine_test_program(target [header...]): the above for one test program; the
# given headers are precompiled for the batches (worth it only for a program of
# many batches).
function(tavrine_test_program target)
  if(CMAKE_BUILD_TYPE MATCHES "Rel")
    target_compile_options(${target} PRIVATE -O1)
  endif()
  if(NOT TAVRINE_BATCH_TESTS)
    return()
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  if(ARGN AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()
