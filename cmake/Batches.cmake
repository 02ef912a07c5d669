# Compiling in batches: built afresh (a new clone, CI: no compiler cache) every
# library and program compiles its files several to one compiler run (CMake
# unity batches), so that the standard library's, Qt's and GoogleTest's headers
# are read once per batch instead of once per file; a fresh build takes about
# a third less processor time. With a compiler cache each file is compiled alone, so
# that an edit recompiles one file. TAVRINE_BATCH=ON forces batches, to check
# that the files still compile together (each file's unnamed namespace is shared
# with the others of its batch, so two files must not define the same helper).
#
# A file with options of its own (the floods' -O3) is compiled alone either way.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(batch_default OFF)
else()
  set(batch_default ON)
endif()
option(TAVRINE_BATCH "Compile each library and program in batches of files" ${batch_default})
if(TAVRINE_BATCH)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()
