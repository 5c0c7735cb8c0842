# The studio's Debian package, tavro-studio: the server, its service and its defaults file, and the
# package its Runs build against in a prefix of its own, /usr/lib/tavro-studio: the web library,
# its headers and page files, as an installed browser build holds them. They stay out of /usr/lib,
# whose libraries and pkg-config files are for the machine's own programs. The render library and
# tavro-check, which the checks of submissions build and run with, are libtavro-dev's of the same
# release, found through pkg-config's own path and a link.
set(TAVRO_STUDIO_WEB_PREFIX "" CACHE PATH
    "An installed browser build (cmake --install build/web --prefix ...) whose web library goes into tavro-studio")
if(NOT TARGET tavro-studio OR NOT TAVRO_STUDIO_WEB_PREFIX)
  message(STATUS "The Debian package tavro-studio is not made: TAVRO_STUDIO_WEB_PREFIX names no installed web library")
  return()
endif()
list(APPEND CPACK_COMPONENTS_ALL studio)

set(tavro_service ${PROJECT_SOURCE_DIR}/studio/service)
set(tavro_studio_prefix ${CMAKE_INSTALL_LIBDIR}/tavro-studio)
foreach(folder ${CMAKE_INSTALL_INCLUDEDIR} ${CMAKE_INSTALL_LIBDIR} ${CMAKE_INSTALL_DATADIR}/tavro)
  get_filename_component(parent ${tavro_studio_prefix}/${folder} DIRECTORY)
  install(DIRECTORY ${TAVRO_STUDIO_WEB_PREFIX}/${folder} DESTINATION ${parent} COMPONENT studio EXCLUDE_FROM_ALL
          PATTERN cmake EXCLUDE)
endforeach()
file(CREATE_LINK ../../../${CMAKE_INSTALL_BINDIR}/tavro-check ${CMAKE_CURRENT_BINARY_DIR}/tavro-studio/tavro-check SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tavro-studio/tavro-check DESTINATION ${tavro_studio_prefix}/${CMAKE_INSTALL_BINDIR}
        COMPONENT studio EXCLUDE_FROM_ALL)
# Debian 12 keeps its units in /lib/systemd/system.
install(FILES ${tavro_service}/tavro-studio.service DESTINATION /lib/systemd/system COMPONENT studio EXCLUDE_FROM_ALL)
install(FILES ${tavro_service}/tavro-studio.default DESTINATION /etc/default RENAME tavro-studio
        COMPONENT studio EXCLUDE_FROM_ALL)
install(FILES ${tavro_service}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tavro-studio COMPONENT studio EXCLUDE_FROM_ALL)
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/tavro-studio/conffiles CONTENT "/etc/default/tavro-studio\n")

set(CPACK_DEBIAN_STUDIO_PACKAGE_NAME tavro-studio)
set(CPACK_DEBIAN_STUDIO_PACKAGE_SECTION education)
# The builds: the sandbox, the compilers, the editor it serves, and the rest of the package.
set(CPACK_DEBIAN_STUDIO_PACKAGE_DEPENDS
    "libtavro-dev (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}), bubblewrap, emscripten, g++, pkg-config, libjs-codemirror")
set(CPACK_DEBIAN_STUDIO_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/tavro-studio/conffiles
    ${tavro_service}/postinst ${tavro_service}/prerm ${tavro_service}/postrm)
set(CPACK_DEBIAN_STUDIO_PACKAGE_CONTROL_STRICT_PERMISSION ON)
string(JOIN "\n" CPACK_DEBIAN_STUDIO_DESCRIPTION "school server where students program on the TAVRO graphics package"
       "Students sign in from a browser, write programs on the package, run them"
       "beside the editor as web pages and submit them to their teacher's"
       "exercises, checked against the teacher's reference. Each build runs in"
       "bubblewrap with limits. The service tavro-studio serves on"
       "127.0.0.1:8080 unless /etc/default/tavro-studio says otherwise.")
