# quorvel_windows_program(<target>): a Windows program that we ship. It goes into the release's
# zip file (its install rule; scripts/release), its headers and imports are tested
# (tests/win32: 32-bit, no runtime DLLs, at most 300 KB), and, built with MinGW-w64, it is made
# small: unused functions and data dropped at link time, symbols stripped, and the C++
# runtime's verbose terminate handler left out (app/win32/TerminateHandler.cpp).
function(quorvel_windows_program target)
    install(TARGETS ${target} RUNTIME DESTINATION .)
    set_property(GLOBAL APPEND PROPERTY QUORVEL_WINDOWS_PROGRAMS ${target})
    if(MSVC)
        return()
    endif()
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/app/win32/TerminateHandler.cpp)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
endfunction()
