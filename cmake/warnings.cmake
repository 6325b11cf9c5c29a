# One warnings target, linked by every target of ours.
add_library(marrowpad_warnings INTERFACE)
target_compile_options(marrowpad_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough
  -Wcast-qual -Wmissing-declarations -Wundef
  # gcc's own; clang, used for the fuzz targets, has no such options.
  $<$<CXX_COMPILER_ID:GNU>:-Wlogical-op -Wduplicated-cond -Wduplicated-branches>
  -Werror)
# Narrow literals are GBK bytes in the binary, written readably in the UTF-8 sources (gcc converts them).
# clang, used only for the fuzz targets, cannot: the portable sources therefore write any non-ASCII
# literal as escaped GBK bytes, with the character in a comment.
add_library(marrowpad_charset INTERFACE)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(marrowpad_charset INTERFACE -finput-charset=UTF-8 -fexec-charset=GBK)
endif()
