# The warnings every target of ours builds with. They are errors only where
# CMAKE_COMPILE_WARNING_AS_ERROR is on (the developer and CI presets), never in a person's plain
# build, which must build with any release of the compilers.
function(stemlook_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
