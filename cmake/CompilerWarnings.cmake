# Warnings are errors, on every compiler the project builds with.
function(quorvel_set_warnings target)
    if(MSVC)
        target_compile_options(${target} INTERFACE /W4 /WX /permissive- /utf-8)
    else()
        target_compile_options(${target} INTERFACE
            -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast
            -Wcast-align -Woverloaded-virtual -Wformat=2 -Werror
            # GCC 12 reports overlaps in std::string concatenation at -O3 that cannot occur.
            $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
    endif()
endfunction()
