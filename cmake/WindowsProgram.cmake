# quorvel_windows_program(<target>): a Windows program that we ship. It goes into the release's
# zip file (its install rule; scripts/release), and, built with MinGW-w64, it is made small:
# unused functions and data dropped at link time, symbols stripped, and the C++ runtime's
# verbose terminate handler left out (app/win32/TerminateHandler.cpp).
function(quorvel_windows_program target)
    install(TARGETS ${target} RUNTIME DESTINATION .)
    if(MSVC)
        return()
    endif()
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/app/win32/TerminateHandler.cpp)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
endfunction()
