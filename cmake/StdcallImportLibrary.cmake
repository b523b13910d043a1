# Remakes the import library of a 32-bit DLL whose __stdcall functions it
# exports under their undecorated names (--kill-at). Callers compiled against
# the header ask for "_Name@bytes", which the import library the linker
# writes lacks; this one carries those names and imports the undecorated
# ones. The decorations are read from the DLL's own symbol table.
# cmake -DLIBRARY=x.dll -DIMPORT_LIBRARY=libx.dll.a -DNM=nm -DDLLTOOL=dlltool
#       -DEXPORTS=a,b -P StdcallImportLibrary.cmake
execute_process(COMMAND ${NM} ${LIBRARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} ${LIBRARY} failed")
endif()

get_filename_component(dll_name ${LIBRARY} NAME)
set(definitions "LIBRARY ${dll_name}\nEXPORTS\n")
string(REPLACE "," ";" exports "${EXPORTS}")
foreach(name IN LISTS exports)
  if(NOT symbols MATCHES " T _${name}(@[0-9]+)\n")
    message(FATAL_ERROR "${LIBRARY} defines no __stdcall function ${name}")
  endif()
  string(APPEND definitions "  ${name}${CMAKE_MATCH_1}\n")
endforeach()

set(def_file ${IMPORT_LIBRARY}.def)
file(WRITE ${def_file} "${definitions}")
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${def_file} --dllname ${dll_name}
                        --output-lib ${IMPORT_LIBRARY}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${DLLTOOL} could not make ${IMPORT_LIBRARY}")
endif()
