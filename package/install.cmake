# What `cmake --install` puts under its prefix: the public headers, the program libraries,
# the CMake package (find_package(Tavro)) and the pkg-config files. Nothing private.
# All of it is the development package's; the city's programs are a component of their own.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME dev)

set(TAVRO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tavro)
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/include/tavro DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Each installed target has an export set of its own, so that the package's config can leave out
# a library whose system libraries are missing and still offer the others.
set_target_properties(tavro_headers PROPERTIES EXPORT_NAME headers)
install(TARGETS tavro_headers EXPORT TavroHeaders)
install(EXPORT TavroHeaders NAMESPACE Tavro:: DESTINATION ${TAVRO_CMAKE_DIR})
set(TAVRO_PC_FILES)
foreach(library render desktop web)
  if(TARGET tavro_${library})
    list(APPEND TAVRO_PC_FILES tavro-${library})
    set_target_properties(tavro_${library} PROPERTIES EXPORT_NAME ${library})
    install(TARGETS tavro_${library} EXPORT Tavro_${library} ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(EXPORT Tavro_${library} NAMESPACE Tavro:: DESTINATION ${TAVRO_CMAKE_DIR} FILE Tavro_${library}.cmake)
  endif()
endforeach()
# The page of a web program: its template and script, which programs link with, and the
# toolchain file that builds programs as pages.
set(TAVRO_WEB_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tavro/web)
if(TARGET tavro_web)
  install(FILES ${TAVRO_WEB_DIR}/shell.html ${TAVRO_WEB_DIR}/page.js ${TAVRO_WEB_DIR}/asyncify_remove.txt
                ${PROJECT_SOURCE_DIR}/cmake/emscripten.cmake DESTINATION ${TAVRO_WEB_INSTALL_DIR})
endif()

# Which system the installed libraries are for: the package serves programs for that one only.
math(EXPR TAVRO_BUILT_BITS "8 * ${CMAKE_SIZEOF_VOID_P}")
if(WIN32)
  set(TAVRO_BUILT_FOR Windows)
  # The cross toolchain file of this word size, and MSYS2's name for the same toolchain.
  if(TAVRO_BUILT_BITS EQUAL 64)
    set(TAVRO_MINGW_TOOLCHAIN x86_64-w64-mingw32.cmake)
    set(TAVRO_MSYS2_PREFIX mingw-w64-x86_64)
  else()
    set(TAVRO_MINGW_TOOLCHAIN i686-w64-mingw32.cmake)
    set(TAVRO_MSYS2_PREFIX mingw-w64-i686)
  endif()
elseif(EMSCRIPTEN)
  set(TAVRO_BUILT_FOR web)
else()
  set(TAVRO_BUILT_FOR Linux)
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TavroConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/TavroConfig.cmake INSTALL_DESTINATION ${TAVRO_CMAKE_DIR}
                              PATH_VARS TAVRO_WEB_INSTALL_DIR)
# TavroConfig.cmake itself refuses a build for another system or word size, saying which it is for.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/TavroConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/TavroConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/TavroConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/tavro_program.cmake ${PROJECT_SOURCE_DIR}/cmake/tavro_check_run.cmake
        DESTINATION ${TAVRO_CMAKE_DIR})
# A Windows package is used from Linux through the toolchain file, which runs programs through wine-run.
if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/${TAVRO_MINGW_TOOLCHAIN} ${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
          DESTINATION ${TAVRO_CMAKE_DIR})
  install(PROGRAMS ${PROJECT_SOURCE_DIR}/cmake/wine-run DESTINATION ${TAVRO_CMAKE_DIR})
endif()

# The pkg-config files find the prefix from where they lie, so the install tree can move.
file(RELATIVE_PATH TAVRO_PC_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
# Windows programs link other libraries and name the entry otherwise: files of their own.
if(WIN32)
  set(TAVRO_PC_SUFFIX -windows)
endif()
foreach(pc ${TAVRO_PC_FILES})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}${TAVRO_PC_SUFFIX}.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
