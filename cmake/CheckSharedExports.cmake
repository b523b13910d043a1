# Fails unless the shared library LIBRARY defines exactly the comma-separated
# EXPORTS among its dynamic symbols, as NM -D --defined-only lists them.
# cmake -DLIBRARY=libx.so -DNM=nm -DEXPORTS=a,b -P CheckSharedExports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE dump
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} -D ${LIBRARY} failed")
endif()

# Each line is "address type name"; weak and version symbols of the runtime
# (types V, W, w) are the toolchain's, not the library's interface.
string(REGEX MATCHALL "[0-9a-f]+ [A-Za-z] [^\n]+" lines "${dump}")
set(found "")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^[0-9a-f]+ ([A-Za-z]) (.+)$" parts "${line}")
  set(type "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  if(NOT type MATCHES "^[VWw]$")
    list(APPEND found "${name}")
  endif()
endforeach()

string(REPLACE "," ";" expected "${EXPORTS}")
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports\n  ${found}\nexpected\n  ${expected}")
endif()
message(STATUS "${LIBRARY} exports exactly: ${found}")
