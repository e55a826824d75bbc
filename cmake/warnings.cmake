# Warnings on for every target of ours; -Werror keeps the tree clean.
function(velmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
