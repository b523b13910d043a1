# Fails unless the library LIBRARY exports exactly the comma-separated
# EXPORTS, under those names: a shared library's defined dynamic symbols as
# NM -D --defined-only lists them, or a DLL's export table as OBJDUMP -p
# lists it (give one of the two tools).
# cmake -DLIBRARY=libx.so -DNM=nm -DEXPORTS=a,b -P CheckExports.cmake
# cmake -DLIBRARY=x.dll -DOBJDUMP=objdump -DEXPORTS=a,b -P CheckExports.cmake

# Each line is "address type name"; weak and version symbols of the runtime
# (types V, W, w) are the toolchain's, not the library's interface.
function(_exports_of_shared_library dump out)
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
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The name table lists one "[ n] Name" line per export, up to a blank line.
# Square brackets would group CMake list elements, so they are replaced first.
function(_exports_of_dll dump out)
  string(REPLACE "[" "<" dump "${dump}")
  string(REPLACE "]" ">" dump "${dump}")
  string(REGEX MATCH "<Ordinal/Name Pointer> Table\n([^\n]+\n)*" table "${dump}")
  string(REGEX MATCHALL "<[ 0-9]+> [^\n]+" entries "${table}")
  set(found "")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^<[ 0-9]+> " "" name "${entry}")
    list(APPEND found "${name}")
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

if(NM)
  set(command ${NM} -D --defined-only ${LIBRARY})
elseif(OBJDUMP)
  set(command ${OBJDUMP} -p ${LIBRARY})
else()
  message(FATAL_ERROR "give NM (shared library) or OBJDUMP (DLL)")
endif()
execute_process(COMMAND ${command} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  list(JOIN command " " command)
  message(FATAL_ERROR "${command} failed")
endif()
if(NM)
  _exports_of_shared_library("${dump}" found)
else()
  _exports_of_dll("${dump}" found)
endif()

string(REPLACE "," ";" expected "${EXPORTS}")
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports\n  ${found}\nexpected\n  ${expected}")
endif()
message(STATUS "${LIBRARY} exports exactly: ${found}")
