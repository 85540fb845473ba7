# quorvel_windows_program(<target>): the settings of a Windows program that we ship, built with
# MinGW-w64: unused functions and data dropped at link time, symbols stripped, and the C++
# runtime's verbose terminate handler left out (app/win32/TerminateHandler.cpp).
function(quorvel_windows_program target)
    if(MSVC)
        return()
    endif()
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/app/win32/TerminateHandler.cpp)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
endfunction()
