# Run (cmake -P) by each check of tavro_add_check: renders the program with the script and
# compares the outputs with the references, or with MAKE_REFERENCES writes the references.
# Inputs: PROGRAM, CHECKER, SCRIPT, TIME, OUTPUT (the stem of the run's files), LOG and/or PNG;
# EMULATOR, the command that runs both programs in a cross build, its words joined by "|" (empty
# otherwise).
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
set(run ${EMULATOR} ${PROGRAM} --time ${TIME} --script ${SCRIPT})

if(MAKE_REFERENCES)
  foreach(file LOG PNG)
    if(${file})
      string(TOLOWER ${file} option)
      list(APPEND run --${option} ${${file}})
    endif()
  endforeach()
  execute_process(COMMAND ${run} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ended with status ${status}")
  endif()
  message(STATUS "References made: ${LOG} ${PNG}; look at them before you keep them")
  return()
endif()

set(compare ${EMULATOR} ${CHECKER})
foreach(file LOG PNG)
  if(${file})
    if(NOT EXISTS ${${file}})
      message(FATAL_ERROR "no reference ${${file}}: make the references from your own solution with "
                          "`cmake --build <build folder> --target references`")
    endif()
    string(TOLOWER ${file} option)
    list(APPEND run --${option} ${OUTPUT}.${option})
    list(APPEND compare --${option} ${${file}} ${OUTPUT}.${option})
  endif()
endforeach()
if(PNG)
  list(APPEND compare --difference ${OUTPUT}-difference.png)
endif()

execute_process(COMMAND ${run} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with status ${status}")
endif()
execute_process(COMMAND ${compare} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the run differs from the references")
endif()
