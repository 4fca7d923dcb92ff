# Warnings are errors on every target of ours.
function(stemlook_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
