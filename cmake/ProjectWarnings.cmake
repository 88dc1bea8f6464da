# Warnings as errors for the project's own targets only; third-party headers are system headers.
function(bt_project_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror)
endfunction()
