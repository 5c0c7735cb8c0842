# What the pixel canvas is built from besides its own sources: the TrueType face it embeds and
# stb_truetype's header. Both are looked up on the building machine (also in a cross build, which
# takes them as sources) and may be given with TAVRO_FONT_FILE and TAVRO_STB_INCLUDE_DIR.

# The face: fontconfig's file for Liberation Sans, else Debian's path for it.
if(NOT TAVRO_FONT_FILE)
  set(font_file /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf)
  find_program(TAVRO_FC_MATCH fc-match)
  mark_as_advanced(TAVRO_FC_MATCH)
  if(TAVRO_FC_MATCH)
    # fc-match answers with some face whatever is installed: its family says whether it is the one asked.
    execute_process(COMMAND ${TAVRO_FC_MATCH} -f "%{family}\n%{file}" "Liberation Sans:style=Regular"
                    OUTPUT_VARIABLE match RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0 AND match MATCHES "^([^\n]*)\n(.+)$")
      set(matched_file ${CMAKE_MATCH_2})
      if(CMAKE_MATCH_1 MATCHES "(^|,)Liberation Sans(,|$)" AND matched_file MATCHES "\\.ttf$")
        set(font_file ${matched_file})
      endif()
    endif()
  endif()
  set(TAVRO_FONT_FILE ${font_file} CACHE FILEPATH "The TrueType file of Liberation Sans that the pixel canvas embeds")
endif()
if(NOT EXISTS ${TAVRO_FONT_FILE})
  message(FATAL_ERROR "No Liberation Sans: ${TAVRO_FONT_FILE} not found. Install fonts-liberation2 (Debian) "
                      "or set TAVRO_FONT_FILE to LiberationSans-Regular.ttf")
endif()

# The system's stb (libstb-dev), in the usual include folders.
find_path(TAVRO_STB_INCLUDE_DIR stb_truetype.h PATHS /usr/local/include /usr/include PATH_SUFFIXES stb
          NO_CMAKE_FIND_ROOT_PATH DOC "The folder of stb_truetype.h")
if(NOT TAVRO_STB_INCLUDE_DIR)
  message(FATAL_ERROR "stb_truetype.h not found: install libstb-dev (Debian) or set TAVRO_STB_INCLUDE_DIR "
                      "to the folder that holds it")
endif()
