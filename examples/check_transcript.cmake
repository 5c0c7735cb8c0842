# Renders one example with its script and compares the transcript with the reviewed one.
# Inputs: PROGRAM, SCRIPT, EXPECTED, ACTUAL.
execute_process(COMMAND ${PROGRAM} --time 1700000000 --script ${SCRIPT} --log ${ACTUAL}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} exited with status ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${EXPECTED} RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "the transcript ${ACTUAL} differs from ${EXPECTED}")
endif()
