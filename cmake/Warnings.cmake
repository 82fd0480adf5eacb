# Every target of ours compiles with the same warnings; in CI they are errors.
set(STACKLUME_WARNINGS -Wall -Wextra -Wpedantic)
if(DEFINED ENV{CI})
  list(APPEND STACKLUME_WARNINGS -Werror)
endif()

function(stacklume_warnings target)
  target_compile_options(${target} PRIVATE ${STACKLUME_WARNINGS})
endfunction()
