# The release, made with CPack from this build: `cpack` makes the Debian packages libtavro-dev,
# tavro-city and tavro-studio from the Linux build, one ZIP from the Windows build and one from the
# browser build; `cpack --config CPackSourceConfig.cmake` the source archive. The licence and the
# third-party notices go into every one.
include(GNUInstallDirs)

set(TAVRO_NOTICES ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES)
if(NOT EXISTS ${TAVRO_NOTICES})
  message(WARNING "${TAVRO_NOTICES} is missing: the packages are made without the third-party notices")
  unset(TAVRO_NOTICES)
endif()

# The city's programs and the pages are installed only into the packages: a plain `cmake --install`
# installs the package a student builds on, and needs only its libraries built.
set(TAVRO_CITY_PROGRAMS)
foreach(program city_desktop city-render)
  if(TARGET ${program})
    list(APPEND TAVRO_CITY_PROGRAMS ${program})
  endif()
endforeach()
if(TAVRO_CITY_PROGRAMS)
  install(TARGETS ${TAVRO_CITY_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT city EXCLUDE_FROM_ALL)
endif()
if(EMSCRIPTEN)
  # Each page is one file that opens from the unpacked folder: the city and the examples.
  file(GLOB TAVRO_EXAMPLE_SOURCES ${PROJECT_SOURCE_DIR}/examples/*.cpp)
  set(TAVRO_PAGES city_web)
  foreach(source ${TAVRO_EXAMPLE_SOURCES})
    get_filename_component(example ${source} NAME_WE)
    list(APPEND TAVRO_PAGES ${example})
  endforeach()
  install(TARGETS ${TAVRO_PAGES} RUNTIME DESTINATION pages COMPONENT pages EXCLUDE_FROM_ALL)
endif()

set(TAVRO_PACKAGE_CONTACT "TAVRO city contributors <tavro-city@users.noreply.example.org>"
    CACHE STRING "The maintainer named in the Debian packages")
# Debian keeps a package's licence in /usr/share/doc/<package>/copyright; the archives keep it at the top.
if(WIN32 OR EMSCRIPTEN)
  set(TAVRO_DOC_DIR .)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${TAVRO_NOTICES} DESTINATION . COMPONENT dev)
else()
  set(TAVRO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/libtavro-dev)
  # The machine-readable form: the zlib licence's text as the licence of every file, and where the
  # notices are.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE TAVRO_LICENSE_TEXT)
  string(REGEX MATCH "^Copyright \\(c\\) ([^\n]*)\n\n" TAVRO_COPYRIGHT "${TAVRO_LICENSE_TEXT}")
  set(TAVRO_COPYRIGHT "${CMAKE_MATCH_1}")
  string(LENGTH "${CMAKE_MATCH_0}" TAVRO_COPYRIGHT_LENGTH)
  string(SUBSTRING "${TAVRO_LICENSE_TEXT}" ${TAVRO_COPYRIGHT_LENGTH} -1 TAVRO_LICENSE_TEXT)
  string(STRIP "${TAVRO_LICENSE_TEXT}" TAVRO_LICENSE_TEXT)
  # Each line indented by one space, an empty one written as a dot.
  string(REPLACE "\n\n" "\n.\n" TAVRO_LICENSE_TEXT "${TAVRO_LICENSE_TEXT}")
  string(REPLACE "\n" "\n " TAVRO_LICENSE_TEXT "\n${TAVRO_LICENSE_TEXT}")
  # The date of the build, or SOURCE_DATE_EPOCH's for a reproducible one.
  string(TIMESTAMP TAVRO_RELEASE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  foreach(component dev:libtavro-dev city:tavro-city studio:tavro-studio)
    string(REPLACE ":" ";" component ${component})
    list(GET component 1 package)
    list(GET component 0 component)
    set(copyright ${CMAKE_CURRENT_BINARY_DIR}/${package}/copyright)
    file(CONFIGURE OUTPUT ${copyright} CONTENT [[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: TAVRO
Comment: The third-party parts that come with the programs, with their licences, are listed in
 /usr/share/doc/${package}/THIRD-PARTY-NOTICES.

Files: *
Copyright: ${TAVRO_COPYRIGHT}
License: Zlib${TAVRO_LICENSE_TEXT}
]])
    set(exclude)
    if(NOT component STREQUAL "dev")
      set(exclude EXCLUDE_FROM_ALL)
    endif()
    # Debian's changelog of the package: this release.
    set(changelog ${CMAKE_CURRENT_BINARY_DIR}/${package}/changelog.Debian)
    file(CONFIGURE OUTPUT ${changelog} CONTENT [[
${package} (${PROJECT_VERSION}-1) unstable; urgency=medium

  * Release ${PROJECT_VERSION}.

 -- ${TAVRO_PACKAGE_CONTACT}  ${TAVRO_RELEASE_DATE}
]])
    execute_process(COMMAND gzip -9nc ${changelog} OUTPUT_FILE ${changelog}.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${copyright} ${changelog}.gz ${TAVRO_NOTICES} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
            COMPONENT ${component} ${exclude})
  endforeach()
endif()

# The examples, with their scripts and reviewed transcripts and a project that builds and checks
# them on the installed package; the documentation.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/examples_project.cmake DESTINATION ${TAVRO_DOC_DIR}/examples
        RENAME CMakeLists.txt COMPONENT dev)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${TAVRO_DOC_DIR}/examples COMPONENT dev
        FILES_MATCHING PATTERN "*.cpp" PATTERN "*.scr" PATTERN "*.log")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${TAVRO_DOC_DIR}/docs COMPONENT dev
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "*.gif")

set(CPACK_PACKAGE_NAME tavro)
set(CPACK_PACKAGE_VENDOR "the TAVRO city contributors")
set(CPACK_PACKAGE_CONTACT "${TAVRO_PACKAGE_CONTACT}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_COMPONENTS_ALL dev)
if(TAVRO_CITY_PROGRAMS)
  list(APPEND CPACK_COMPONENTS_ALL city)
endif()

if(WIN32 OR EMSCRIPTEN)
  # One archive holding everything, unpacked into a folder of its name.
  if(WIN32)
    # The release ships the 32-bit archive; the 64-bit one is made beside it.
    math(EXPR tavro_bits "8 * ${CMAKE_SIZEOF_VOID_P}")
    set(CPACK_SYSTEM_NAME win${tavro_bits})
  else()
    set(CPACK_SYSTEM_NAME web)
    list(APPEND CPACK_COMPONENTS_ALL pages)
  endif()
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small graphics package for teaching, and an animated city on it")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtavro-dev)
  set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
  # What a program built on the package links with, and the one face its pictures are drawn in.
  set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
      "libcairo2-dev, libfontconfig-dev, zlib1g-dev, libfltk1.3-dev, pkg-config, fonts-liberation2")
  # The compiler and CMake, which a student's project is built with.
  set(CPACK_DEBIAN_DEV_PACKAGE_RECOMMENDS "g++, cmake")
  # Each description's first line is the package's summary.
  string(JOIN "\n" CPACK_DEBIAN_DEV_DESCRIPTION "TAVRO graphics package for teaching: headers, static libraries"
         "A program draws in one window, with a menu to run, halt, record and play"
         "back its events. This package holds the header <tavro/display.h>, the"
         "libraries for desktop programs and for programs rendered headless"
         "(pictures, GIFs and transcripts), tavro-check, which compares a run with"
         "references, the CMake package, the pkg-config files and the examples.")
  set(CPACK_DEBIAN_CITY_PACKAGE_NAME tavro-city)
  set(CPACK_DEBIAN_CITY_PACKAGE_SECTION education)
  set(CPACK_DEBIAN_CITY_PACKAGE_DEPENDS "fonts-liberation2")
  string(JOIN "\n" CPACK_DEBIAN_CITY_DESCRIPTION "animated city drawn with the TAVRO graphics package"
         "A town of ponds, a park, a school and roads with traffic, on the desktop"
         "(city) and rendered headless to pictures, GIFs and transcripts"
         "(city-render).")
  # Static libraries go without their debug sections, as Debian's own do.
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/strip_static_libraries.cmake)
  set(CPACK_TAVRO_STRIP ${CMAKE_STRIP})
  include(${PROJECT_SOURCE_DIR}/cmake/studio_package.cmake)
endif()

# The source archive: the tree as in the repository, without its history, build trees or caches.
set(CPACK_VERBATIM_VARIABLES ON)
string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" TAVRO_SOURCE_PATTERN "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME tavro-${PROJECT_VERSION})
set(CPACK_SOURCE_IGNORE_FILES "^${TAVRO_SOURCE_PATTERN}/\\.git" "^${TAVRO_SOURCE_PATTERN}/build/" "/__pycache__/"
                              "/\\.cache/" "~$" "\\.swp$")
include(CPack)
