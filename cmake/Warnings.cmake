# Warnings for the project's own targets. Third-party code never gets these flags.
function(tavrine_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow=local -Wnon-virtual-dtor)
  if(TAVRINE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
