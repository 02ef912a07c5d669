# One switch for the AddressSanitizer + UndefinedBehaviorSanitizer build of everything.
if(TAVRINE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
