# Warnings and sanitizers for every target of the project.
function(ostrin_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion-null)
  if(OSTRIN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(OSTRIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
