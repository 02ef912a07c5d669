# The generated content (pictures, sounds, help, the prepared missions) is the same
# bytes in every build of the same source. A second build of the same tree, such as
# the sanitizer build of test.sh, can copy it from the first build's program folder
# instead of compiling and running the generators once more.
set(TAVRINE_CONTENT_FROM "" CACHE PATH
  "Program folder of another build of this source to copy the generated content from (empty: generate it)")

# tavrine_copy_content(files_var comment): the files named in files_var, all inside
# the program folder, copied from the same place in TAVRINE_CONTENT_FROM.
function(tavrine_copy_content files_var comment)
  set(commands)
  set(sources)
  foreach(file ${${files_var}})
    file(RELATIVE_PATH relative ${TAVRINE_PROGRAM_DIR} ${file})
    get_filename_component(folder ${file} DIRECTORY)
    list(APPEND sources ${TAVRINE_CONTENT_FROM}/${relative})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                         COMMAND ${CMAKE_COMMAND} -E copy ${TAVRINE_CONTENT_FROM}/${relative} ${file})
  endforeach()
  add_custom_command(OUTPUT ${${files_var}} ${commands} DEPENDS ${sources} COMMENT "${comment}" VERBATIM)
endfunction()
