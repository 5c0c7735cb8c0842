# tavro_add_program(name source...) makes two programs of the same sources: `name`, on the
# desktop (on Windows a GUI program), and `name-render`, rendered headless with the render entry's
# options (--ticks, --script, --log, --png, --gif ...). In a browser build it makes the page
# `name.html`. A program whose library is missing is not made, and a warning says why.
function(tavro_add_program name)
  if(NOT ARGN)
    message(FATAL_ERROR "usage: tavro_add_program(${name} source...)")
  endif()
  set(made FALSE)
  if(TARGET Tavro::web)
    # In a browser build the program is a page: name.html, one file.
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE Tavro::web)
    set_target_properties(${name} PROPERTIES SUFFIX ".html")
    # A project that names no build type gets the optimisation of the package's own pages:
    # a page a third smaller, and faster.
    if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
      target_compile_options(${name} PRIVATE -O3)
      target_link_options(${name} PRIVATE -O3)
    endif()
    set(made TRUE)
  elseif(TARGET Tavro::desktop)
    # On Windows a GUI program: its entry is the library's WinMain.
    add_executable(${name} WIN32 ${ARGN})
    target_link_libraries(${name} PRIVATE Tavro::desktop)
    set(made TRUE)
  else()
    get_property(why GLOBAL PROPERTY TAVRO_DESKTOP_MISSING)
    message(WARNING "tavro_add_program(${name}): no desktop program ${name}: ${why}")
  endif()
  if(TARGET Tavro::render)
    add_executable(${name}-render ${ARGN})
    target_link_libraries(${name}-render PRIVATE Tavro::render)
    set(made TRUE)
  elseif(NOT TARGET Tavro::web)
    get_property(why GLOBAL PROPERTY TAVRO_RENDER_MISSING)
    message(WARNING "tavro_add_program(${name}): no headless program ${name}-render: ${why}")
  endif()
  if(NOT made)
    message(SEND_ERROR "tavro_add_program(${name}): no program could be made")
  endif()
endfunction()

# tavro_add_check(name PROGRAM program SCRIPT file [LOG file] [PNG file] [TIME seconds] [ANSWERS file]
# [TIMEOUT seconds] [MAX_LOG bytes]) adds the CTest test `name`: it runs `program-render` (made by
# tavro_add_program) with the script, its virtual clock starting at TIME (default 1700000000) and
# the dialog's replies from ANSWERS, and compares with tavro-check its transcript with LOG and its
# last frame with PNG. On a difference the test fails, showing the first differing lines and the
# number of differing pixels, and writes name-difference.png in this folder of the build. A run
# is ended after TIMEOUT seconds (default 30) and when its transcript grows past MAX_LOG bytes
# (default 64 MiB). Before it runs, the test `program-build` builds the program: a program that
# does not build fails its checks, which then do not run. Each check writes name.verdict (pass or
# fail and why), which the target `check-report` gathers into one page. The build target
# `name-references` runs the program the same way and writes LOG and PNG instead (`references`
# does it for every check): make them from your own solution, look at them, and keep them with
# the script. Relative files are in the source folder.
# A global property: a variable would be seen only in the folder that included this file.
set_property(GLOBAL PROPERTY TAVRO_CHECK_RUN ${CMAKE_CURRENT_LIST_DIR}/tavro_check_run.cmake)
function(tavro_add_check name)
  cmake_parse_arguments(PARSE_ARGV 1 CHECK "" "PROGRAM;SCRIPT;LOG;PNG;TIME;ANSWERS;TIMEOUT;MAX_LOG" "")
  if(CHECK_UNPARSED_ARGUMENTS OR NOT CHECK_PROGRAM OR NOT CHECK_SCRIPT OR NOT (CHECK_LOG OR CHECK_PNG))
    message(FATAL_ERROR "usage: tavro_add_check(${name} PROGRAM program SCRIPT file [LOG file] [PNG file] "
                        "[TIME seconds] [ANSWERS file] [TIMEOUT seconds] [MAX_LOG bytes]), with LOG, PNG or both")
  endif()
  if(NOT TARGET ${CHECK_PROGRAM}-render)
    message(FATAL_ERROR "tavro_add_check(${name}): no program ${CHECK_PROGRAM}-render; make it first with "
                        "tavro_add_program(${CHECK_PROGRAM} ...)")
  endif()
  if(NOT TARGET Tavro::check)
    message(FATAL_ERROR "tavro_add_check(${name}): tavro-check is not installed with the package")
  endif()
  foreach(limit TIMEOUT MAX_LOG)
    if(DEFINED CHECK_${limit} AND NOT CHECK_${limit} MATCHES "^[1-9][0-9]*$")
      message(FATAL_ERROR "tavro_add_check(${name}): ${limit} must be a whole number above 0, not '${CHECK_${limit}}'")
    endif()
  endforeach()
  get_property(check_run GLOBAL PROPERTY TAVRO_CHECK_RUN)
  if(NOT CHECK_TIME)
    set(CHECK_TIME 1700000000)
  endif()
  if(NOT CHECK_TIMEOUT)
    set(CHECK_TIMEOUT 30)
  endif()
  if(NOT CHECK_MAX_LOG)
    math(EXPR CHECK_MAX_LOG "64 * 1024 * 1024")
  endif()
  set(stem ${CMAKE_CURRENT_BINARY_DIR}/${name})
  # In a cross build both programs run through the emulator (Wine for Windows programs on Linux).
  # The emulator may be a command with arguments: its words travel joined by "|".
  string(REPLACE ";" "|" emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
  set(run -DPROGRAM=$<TARGET_FILE:${CHECK_PROGRAM}-render> -DCHECKER=$<TARGET_FILE:Tavro::check>
          "-DEMULATOR=${emulator}" -DTIME=${CHECK_TIME} -DTIMEOUT=${CHECK_TIMEOUT} -DMAX_LOG=${CHECK_MAX_LOG}
          -DOUTPUT=${stem})
  foreach(file SCRIPT LOG PNG ANSWERS)
    if(CHECK_${file})
      get_filename_component(path "${CHECK_${file}}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
      list(APPEND run -D${file}=${path})
    endif()
  endforeach()

  # One build test per program, made with its first check; it names every check of the program
  # when the build fails. Builds take turns: two at once in one build tree spoil each other's files.
  set_property(TARGET ${CHECK_PROGRAM}-render APPEND PROPERTY TAVRO_CHECK_STEMS ${stem})
  get_property(build_test TARGET ${CHECK_PROGRAM}-render PROPERTY TAVRO_BUILD_TEST)
  if(NOT build_test)
    set(build_test ${CHECK_PROGRAM}-build)
    set_property(TARGET ${CHECK_PROGRAM}-render PROPERTY TAVRO_BUILD_TEST ${build_test})
    add_test(NAME ${build_test}
             COMMAND ${CMAKE_COMMAND} -DMODE=build -DBUILD_DIR=${CMAKE_BINARY_DIR} -DTARGET=${CHECK_PROGRAM}-render
                     -DCONFIG=$<CONFIG> "-DCHECKS=$<JOIN:$<TARGET_PROPERTY:${CHECK_PROGRAM}-render,TAVRO_CHECK_STEMS>,|>"
                     -P ${check_run})
    set_tests_properties(${build_test} PROPERTIES FIXTURES_SETUP ${build_test} RESOURCE_LOCK tavro-build TIMEOUT 600)
  endif()

  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} ${run} -P ${check_run})
  # Above the check's own limit, so that its reason is what is shown.
  math(EXPR test_timeout "${CHECK_TIMEOUT} + 60")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${test_timeout} FIXTURES_REQUIRED ${build_test})
  add_custom_target(${name}-references COMMAND ${CMAKE_COMMAND} ${run} -DMAKE_REFERENCES=ON -P ${check_run}
                    VERBATIM)
  add_dependencies(${name}-references ${CHECK_PROGRAM}-render)
  if(NOT TARGET references)
    add_custom_target(references)
  endif()
  add_dependencies(references ${name}-references)
  # One page for all the checks of the build, from their verdicts.
  if(NOT TARGET check-report)
    add_custom_target(check-report COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:Tavro::check> --report
                                           ${CMAKE_BINARY_DIR}/check-report.html ${CMAKE_BINARY_DIR} VERBATIM)
  endif()
endfunction()
