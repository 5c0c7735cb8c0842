# Cross build for the browser with Debian's emscripten (em++ 3.1.6): WebAssembly.
#
# Debian's emcc, em++, emar and emranlib are shell scripts that run their Python
# programs with the first python3 on PATH (unless EMSDK_PYTHON names one), and
# the compiler's JavaScript tools find their modules through NODE_PATH. A PATH
# that puts another Python first (pyenv) breaks them. So the build runs the
# tools through wrappers, written into the build folder, that set both; neither
# the shell's environment nor the way the build is started (preset, cmake
# --build, ninja) matters then. Configuring sets them for its own calls too.
set(TAVRO_EMSCRIPTEN_BIN /usr/bin CACHE PATH "Where Debian's emcc, em++, emar and emranlib are")
set(TAVRO_EMSCRIPTEN_PYTHON /usr/bin/python3 CACHE FILEPATH "The Python that runs Debian's emscripten tools")
set(TAVRO_EMSCRIPTEN_NODE_PATH /usr/share/nodejs CACHE PATH "Where emscripten's JavaScript tools find their modules")
set(ENV{EMSDK_PYTHON} ${TAVRO_EMSCRIPTEN_PYTHON})
set(ENV{NODE_PATH} ${TAVRO_EMSCRIPTEN_NODE_PATH})

set(TAVRO_EMSCRIPTEN_WRAPPERS ${CMAKE_BINARY_DIR}/emscripten-tools)
foreach(tool emcc em++ emar emranlib)
  if(NOT EXISTS ${TAVRO_EMSCRIPTEN_BIN}/${tool})
    message(FATAL_ERROR "${TAVRO_EMSCRIPTEN_BIN}/${tool} not found: install Debian's emscripten package")
  endif()
  file(WRITE ${TAVRO_EMSCRIPTEN_WRAPPERS}/${tool}
       "#!/bin/sh\nEMSDK_PYTHON='${TAVRO_EMSCRIPTEN_PYTHON}' NODE_PATH='${TAVRO_EMSCRIPTEN_NODE_PATH}' "
       "exec '${TAVRO_EMSCRIPTEN_BIN}/${tool}' \"$@\"\n")
  file(CHMOD ${TAVRO_EMSCRIPTEN_WRAPPERS}/${tool} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

set(CMAKE_C_COMPILER ${TAVRO_EMSCRIPTEN_WRAPPERS}/emcc)
set(CMAKE_CXX_COMPILER ${TAVRO_EMSCRIPTEN_WRAPPERS}/em++)
set(CMAKE_AR ${TAVRO_EMSCRIPTEN_WRAPPERS}/emar CACHE FILEPATH "Emscripten's archiver, through its wrapper")
set(CMAKE_RANLIB ${TAVRO_EMSCRIPTEN_WRAPPERS}/emranlib CACHE FILEPATH "Emscripten's ranlib, through its wrapper")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Packages are also looked for outside the compiler's own tree, so that a program finds an
# installed TAVRO with find_package(Tavro) and CMAKE_PREFIX_PATH alone.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
