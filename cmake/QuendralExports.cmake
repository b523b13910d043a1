# The shared library's exported functions, named once: module/exports.txt,
# one name a line (the module also carries the file as a resource). From it
# come, when configuring, the linker's list of what the library exports (a
# version script, or a Windows .def file) and the names that the export
# checks expect. The public header declares the functions; configuring fails
# when it and the list disagree.
#
#   QUENDRAL_EXPORTS               the names, as a list
#   quendral_exports(TARGET target [WINDOWS_NAME name])
#       exports exactly those names from the shared library `target`; on
#       Windows it is `name`.dll, and QUENDRAL_DEF_FILE names its .def file,
#       `target`.def

set(_quendral_exports_file ${PROJECT_SOURCE_DIR}/module/exports.txt)
set(_quendral_exports_header ${PROJECT_SOURCE_DIR}/include/quendral/quendral.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${_quendral_exports_file} ${_quendral_exports_header})
file(STRINGS ${_quendral_exports_file} QUENDRAL_EXPORTS)

# The functions the header declares: "QUENDRAL_API <type> QUENDRAL_CALL Name(".
file(READ ${_quendral_exports_header} _header)
string(REGEX MATCHALL "QUENDRAL_API[^;(\n]* QUENDRAL_CALL +[A-Za-z_0-9]+\\(" _declarations "${_header}")
set(_declared "")
foreach(_declaration IN LISTS _declarations)
  string(REGEX REPLACE ".* QUENDRAL_CALL +([A-Za-z_0-9]+)\\($" "\\1" _name "${_declaration}")
  list(APPEND _declared ${_name})
endforeach()
set(_listed ${QUENDRAL_EXPORTS})
list(SORT _declared)
list(SORT _listed)
if(NOT _declared STREQUAL _listed)
  message(FATAL_ERROR "include/quendral/quendral.h declares\n  ${_declared}\n"
                      "module/exports.txt lists\n  ${_listed}")
endif()

function(quendral_exports)
  cmake_parse_arguments(ARG "" "TARGET;WINDOWS_NAME" "" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/exports/${ARG_TARGET})
  list(JOIN QUENDRAL_EXPORTS "\n  " def_names)
  list(JOIN QUENDRAL_EXPORTS ";\n    " map_names)
  if(WIN32)
    set(def_file ${out_dir}/${ARG_TARGET}.def)
    file(CONFIGURE OUTPUT ${def_file}
         CONTENT "LIBRARY ${ARG_WINDOWS_NAME}.dll\nEXPORTS\n  ${def_names}\n" @ONLY)
    quendral_windows_dll(${ARG_TARGET} OUTPUT_NAME ${ARG_WINDOWS_NAME} DEF ${def_file}
                         EXPORTS ${QUENDRAL_EXPORTS})
    set(QUENDRAL_DEF_FILE ${def_file} PARENT_SCOPE)
  else()
    set(version_script ${out_dir}/exports.map)
    file(CONFIGURE OUTPUT ${version_script}
         CONTENT "{\n  global:\n    ${map_names};\n  local:\n    *;\n};\n" @ONLY)
    target_link_options(${ARG_TARGET} PRIVATE "LINKER:--version-script=${version_script}")
    set_target_properties(${ARG_TARGET} PROPERTIES LINK_DEPENDS ${version_script})
  endif()
endfunction()
