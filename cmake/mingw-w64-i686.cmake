# Cross build of the Windows programs with MinGW-w64, for 32-bit x86: they run on 32-bit and
# 64-bit Windows alike, and in 32-bit and 64-bit Wine prefixes. The tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
