# Fails unless the DLL LIBRARY exports exactly the comma-separated EXPORTS,
# under those names, as OBJDUMP -p lists them.
# cmake -DLIBRARY=x.dll -DOBJDUMP=objdump -DEXPORTS=a,b -P CheckDllExports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${LIBRARY} failed")
endif()

# The name table lists one "[ n] Name" line per export, up to a blank line.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "\\] [^\n]+" lines "${table}")
set(found "")
foreach(line IN LISTS lines)
  string(SUBSTRING "${line}" 2 -1 name)
  list(APPEND found "${name}")
endforeach()

string(REPLACE "," ";" expected "${EXPORTS}")
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports\n  ${found}\nexpected\n  ${expected}")
endif()
message(STATUS "${LIBRARY} exports exactly: ${found}")
