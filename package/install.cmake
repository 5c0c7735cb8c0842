# What `cmake --install` puts under its prefix: the public header, the program libraries,
# tavro-check, the CMake package (find_package(Tavro)) and the pkg-config files. Nothing private.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/include/tavro DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
set(TAVRO_INSTALLED_LIBRARIES)
set(TAVRO_PC_FILES)
if(TARGET tavro_render)
  list(APPEND TAVRO_INSTALLED_LIBRARIES tavro_render)
  list(APPEND TAVRO_PC_FILES tavro-render)
endif()
if(TARGET tavro_desktop)
  list(APPEND TAVRO_INSTALLED_LIBRARIES tavro_desktop)
  list(APPEND TAVRO_PC_FILES tavro-desktop)
endif()
# The page of a web program: its template and script, which programs link with, and the
# toolchain file that builds programs as pages.
set(TAVRO_WEB_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tavro/web)
if(TARGET tavro_web)
  list(APPEND TAVRO_INSTALLED_LIBRARIES tavro_web)
  list(APPEND TAVRO_PC_FILES tavro-web)
  install(FILES ${TAVRO_WEB_DIR}/shell.html ${TAVRO_WEB_DIR}/page.js ${TAVRO_WEB_DIR}/asyncify_remove.txt
                ${PROJECT_SOURCE_DIR}/cmake/emscripten.cmake DESTINATION ${TAVRO_WEB_INSTALL_DIR})
endif()
install(TARGETS ${TAVRO_INSTALLED_LIBRARIES} ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
if(TARGET tavro_check)
  install(TARGETS tavro_check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Which system the installed libraries are for: the package serves programs for that one only.
math(EXPR TAVRO_BUILT_BITS "8 * ${CMAKE_SIZEOF_VOID_P}")
if(WIN32)
  set(TAVRO_BUILT_FOR Windows)
elseif(EMSCRIPTEN)
  set(TAVRO_BUILT_FOR web)
else()
  set(TAVRO_BUILT_FOR Linux)
endif()

set(TAVRO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tavro)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TavroConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/TavroConfig.cmake INSTALL_DESTINATION ${TAVRO_CMAKE_DIR}
                              PATH_VARS CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR CMAKE_INSTALL_BINDIR TAVRO_WEB_INSTALL_DIR)
# TavroConfig.cmake itself refuses a build for another system or word size, saying which it is for.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/TavroConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/TavroConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/TavroConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/tavro_program.cmake ${PROJECT_SOURCE_DIR}/cmake/tavro_check_run.cmake
        DESTINATION ${TAVRO_CMAKE_DIR})

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
