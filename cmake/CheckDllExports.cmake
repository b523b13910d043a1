# Fails unless the DLL LIBRARY exports exactly the comma-separated EXPORTS,
# under those names, as OBJDUMP -p lists them.
# cmake -DLIBRARY=x.dll -DOBJDUMP=objdump -DEXPORTS=a,b -P CheckDllExports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${LIBRARY} failed")
endif()

# The name table lists one "[ n] Name" line per export, up to a blank line.
# Square brackets would group CMake list elements, so they are replaced first.
string(REPLACE "[" "<" dump "${dump}")
string(REPLACE "]" ">" dump "${dump}")
string(REGEX MATCH "<Ordinal/Name Pointer> Table\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "<[ 0-9]+> [^\n]+" entries "${table}")
set(found "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^<[ 0-9]+> " "" name "${entry}")
  list(APPEND found "${name}")
endforeach()

string(REPLACE "," ";" expected "${EXPORTS}")
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports\n  ${found}\nexpected\n  ${expected}")
endif()
message(STATUS "${LIBRARY} exports exactly: ${found}")
