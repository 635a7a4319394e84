# Warnings are errors in the project's own code; third-party code is built without this.
function(staywick_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -pedantic-errors)
  endif()
endfunction()
