# Fails when the tool TOOL (run through EMULATOR, a list, when given) reports
# an expat older than NATIVE, the release the native build uses: the Windows
# builds must not parse exports with a parser that lacks the native one's
# fixes.
execute_process(COMMAND ${EMULATOR} ${TOOL} --version
                OUTPUT_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TOOL} --version failed (${result})")
endif()
if(NOT output MATCHES "expat ([0-9]+\\.[0-9]+\\.[0-9]+)")
  message(FATAL_ERROR "${TOOL} --version names no expat release:\n${output}")
endif()
set(reported ${CMAKE_MATCH_1})
if(reported VERSION_LESS NATIVE)
  message(FATAL_ERROR "${TOOL} carries expat ${reported}, older than the native build's ${NATIVE}")
endif()
message(STATUS "expat ${reported} (native ${NATIVE})")
