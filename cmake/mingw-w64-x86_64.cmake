# Cross build of the Windows programs with MinGW-w64 for x86-64: only for running the Windows
# tests on machines that cannot execute 32-bit programs (scripts/test-all). What we ship is the
# 32-bit build (mingw-w64-i686.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
