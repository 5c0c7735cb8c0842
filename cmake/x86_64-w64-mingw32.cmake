# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64): the same
# programs, run under Wine's 64-bit loader where a machine runs no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVRO_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
