# tavro_add_program(name source...) makes two programs of the same sources: `name`, on the
# desktop, and `name-render`, rendered headless with the render entry's options (--ticks,
# --script, --log, --png, --gif ...); each when its library exists.
function(tavro_add_program name)
  if(TARGET Tavro::desktop)
    # On Windows a GUI program: its entry is the library's WinMain.
    add_executable(${name} WIN32 ${ARGN})
    target_link_libraries(${name} PRIVATE Tavro::desktop)
  endif()
  if(TARGET Tavro::render)
    add_executable(${name}-render ${ARGN})
    target_link_libraries(${name}-render PRIVATE Tavro::render)
  endif()
endfunction()
