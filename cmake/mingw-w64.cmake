# The part of the Windows cross builds with Debian's MinGW-w64 that both word sizes share; the
# toolchain file of each (i686-w64-mingw32.cmake, x86_64-w64-mingw32.cmake) names its compilers'
# prefix in TAVRO_MINGW_PREFIX and includes this. The C and C++ runtimes are linked statically,
# so the programs run on a bare Windows; on Linux, ctest runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER NAMES ${TAVRO_MINGW_PREFIX}-gcc-posix ${TAVRO_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TAVRO_MINGW_PREFIX}-g++-posix ${TAVRO_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TAVRO_MINGW_PREFIX}-windres)

# Libraries, headers and packages are MinGW's, never the host's. A prefix given in CMAKE_PREFIX_PATH
# (the TAVRO package installed from a Windows build, say) holds Windows ones too: it is searched as
# a root of its own, so find_package(Tavro) finds the package there.
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRO_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest and test discovery run the programs under Wine through wine-run, which picks the loader
# of the program's word size (why it runs them so: see there).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
