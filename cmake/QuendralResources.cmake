# The resources a module carries, made from one JSON description (the
# module's is module/resources.json):
#
#   {"strings": [{"id": 1, "text": "..."}, ...],
#    "resources": [{"id": 1, "type": "HTML", "file": "resources/page.html"}, ...]}
#
# String identifiers run from 0 to 65535, resource identifiers from 1 to
# 65535. A resource type is "HTML" (standard type 23), "DATA" (raw data,
# type 10), either in any case, or the name of a type of our own (letters,
# digits and "_"; kept in upper case, the way the Windows loader looks names
# up). Files are named relative to the description. Texts are printable
# ASCII without double quotes or backslashes, which the resource compiler
# would read as escapes.
#
# On Windows the description becomes a resource script for the resource
# compiler; elsewhere a C++ source that writes the resource table of
# platform/os/resource_table.h into the ELF section the OS layer reads.
#
# quendral_resources(TARGET target SOURCE json)

set(QUENDRAL_RESOURCE_SECTION ".quendral_resources")

function(_quendral_resources_fail message)
  message(FATAL_ERROR "resources ${_res_source_name}: ${message}")
endfunction()

function(_quendral_resources_get json out pattern)
  string(JSON value ERROR_VARIABLE error GET "${json}" ${ARGN})
  if(error OR NOT value MATCHES "${pattern}")
    string(REPLACE ";" " " where "${ARGN}")
    _quendral_resources_fail("\"${where}\" is missing or malformed: ${value}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

function(_quendral_resources_id json lowest out)
  _quendral_resources_get("${json}" id "^[0-9]+$" ${ARGN} id)
  if(id LESS lowest OR id GREATER 65535)
    _quendral_resources_fail("identifier out of range (${lowest} to 65535): ${id}")
  endif()
  set(${out} ${id} PARENT_SCOPE)
endfunction()

# Runs the macro `handler` with the index of each element of the array
# `key` of the description, when there is one.
macro(_quendral_resources_each key handler)
  string(JSON _count ERROR_VARIABLE _error LENGTH "${_json}" ${key})
  if(NOT _error AND _count GREATER 0)
    math(EXPR _last "${_count} - 1")
    foreach(_index RANGE ${_last})
      cmake_language(CALL ${handler} ${_index})
    endforeach()
  endif()
endmacro()

# Marks type and identifier as taken; a second resource of both fails.
macro(_quendral_resources_claim key)
  if("${key}" IN_LIST _res_claimed)
    _quendral_resources_fail("${key} is given twice")
  endif()
  list(APPEND _res_claimed "${key}")
endmacro()

# "\xHH" escapes of every byte of a hexadecimal dump, for a C++ literal.
function(_quendral_resources_escape hex out)
  string(REGEX REPLACE "([0-9a-fA-F][0-9a-fA-F])" "\\\\x\\1" escaped "${hex}")
  set(${out} "${escaped}" PARENT_SCOPE)
endfunction()

# Appends string `index` of the description to _res_strings_cc and
# _res_strings_rc. (The description is read from _json, never passed to a
# macro, whose arguments would be evaluated again.)
macro(_quendral_resources_string index)
  _quendral_resources_id("${_json}" 0 _id strings ${index})
  _quendral_resources_get("${_json}" _text "^[ -~]*$" strings ${index} text)
  if(_text MATCHES "[\"\\\\]")
    _quendral_resources_fail("string ${_id}: no double quote or backslash allowed: ${_text}")
  endif()
  _quendral_resources_claim("string ${_id}")
  string(APPEND _res_strings_cc "    {.id = ${_id}, .text = \"${_text}\"sv},\n")
  string(APPEND _res_strings_rc "  ${_id}, \"${_text}\"\n")
endmacro()

# Appends resource `index` of the description to _res_entries_cc and
# _res_entries_rc.
macro(_quendral_resources_entry index)
  _quendral_resources_id("${_json}" 1 _id resources ${index})
  _quendral_resources_get("${_json}" _type "^[A-Za-z_][A-Za-z0-9_]*$" resources ${index} type)
  _quendral_resources_get("${_json}" _file "." resources ${index} file)
  string(TOUPPER "${_type}" _type)
  if(_type STREQUAL "HTML")
    set(_number 23)
    set(_name "")
    set(_rc_type HTML)
  elseif(_type STREQUAL "DATA")
    set(_number 10)
    set(_name "")
    set(_rc_type RCDATA)
  elseif(_type STREQUAL "STRING")
    _quendral_resources_fail("resource ${_id}: strings go in \"strings\"")
  else()
    set(_number 0)
    set(_name "${_type}")
    set(_rc_type "${_type}")
  endif()
  _quendral_resources_claim("${_rc_type} ${_id}")
  get_filename_component(_path "${_file}" ABSOLUTE BASE_DIR "${_res_source_dir}")
  if(NOT EXISTS "${_path}" OR IS_DIRECTORY "${_path}")
    _quendral_resources_fail("resource ${_id}: no file ${_path}")
  endif()
  if(_path MATCHES "[\"\\\\]")
    _quendral_resources_fail("resource ${_id}: file path not allowed: ${_path}")
  endif()
  list(APPEND _res_files "${_path}")
  file(READ "${_path}" _hex HEX)
  _quendral_resources_escape("${_hex}" _escaped)
  string(APPEND _res_entries_cc
         "    {.type = ${_number}, .type_name = \"${_name}\"sv, .id = ${_id}, .data = \"${_escaped}\"sv},\n")
  string(APPEND _res_entries_rc "${_id} ${_rc_type} \"${_path}\"\n")
endmacro()

# Reads the description; sets _res_* in the caller.
macro(_quendral_resources_read source)
  file(READ "${source}" _json)
  get_filename_component(_res_source_dir "${source}" DIRECTORY)
  set(_res_claimed "")
  set(_res_files "")
  set(_res_strings_cc "")
  set(_res_strings_rc "")
  set(_res_entries_cc "")
  set(_res_entries_rc "")
  _quendral_resources_each(strings _quendral_resources_string)
  _quendral_resources_each(resources _quendral_resources_entry)
endmacro()

function(_quendral_resources_script out)
  set(text "// Generated from ${_res_source_name}; edit that instead.\n${_res_entries_rc}")
  if(_res_strings_rc)
    string(APPEND text "STRINGTABLE\nBEGIN\n${_res_strings_rc}END\n")
  endif()
  file(CONFIGURE OUTPUT "${out}" CONTENT "@text@" @ONLY)
endfunction()

# An array of the entries, or an empty span when there are none (C++ has no
# arrays of no elements).
function(_quendral_resources_array type name entries out)
  if(entries)
    set(${out} "constexpr ${type} ${name}[] = {\n${entries}};\n" PARENT_SCOPE)
  else()
    set(${out} "constexpr std::span<const ${type}> ${name};\n" PARENT_SCOPE)
  endif()
endfunction()

function(_quendral_resources_embedding out)
  _quendral_resources_array(quendral::os::ResourceTableEntry kResources "${_res_entries_cc}" resources)
  _quendral_resources_array(quendral::os::ResourceTableString kStrings "${_res_strings_cc}" strings)
  set(text "// Generated from ${_res_source_name}; edit that instead.\n")
  string(APPEND text
         "#include <span>\n"
         "#include <string_view>\n\n"
         "#include \"platform/os/resource_table.h\"\n"
         "#include \"platform/os/resource_table_writer.h\"\n\n"
         "namespace {\n\n"
         "using namespace std::string_view_literals;\n\n"
         "${resources}\n${strings}\n"
         "constexpr quendral::os::ResourceTableSource kSource = {.resources = kResources, .strings = kStrings};\n\n"
         "static_assert(std::string_view(quendral::os::kResourceSectionName) == \"${QUENDRAL_RESOURCE_SECTION}\");\n\n"
         "[[gnu::used, gnu::section(\"${QUENDRAL_RESOURCE_SECTION}\")]] constexpr auto kResourceTable =\n"
         "    quendral::os::EncodeToArray<quendral::os::ResourceTableWriter,\n                    quendral::os::EncodedSize<quendral::os::ResourceTableWriter>(kSource)>(kSource);\n\n"
         "}  // namespace\n")
  file(CONFIGURE OUTPUT "${out}" CONTENT "@text@" @ONLY)
endfunction()

function(quendral_resources)
  cmake_parse_arguments(ARG "" "TARGET;SOURCE" "" ${ARGN})
  file(RELATIVE_PATH _res_source_name "${CMAKE_SOURCE_DIR}" "${ARG_SOURCE}")
  _quendral_resources_read("${ARG_SOURCE}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ARG_SOURCE}" ${_res_files})
  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/resources/${ARG_TARGET}")
  if(WIN32)
    _quendral_resources_script("${out_dir}/resources.rc")
    target_sources(${ARG_TARGET} PRIVATE "${out_dir}/resources.rc")
    set_source_files_properties("${out_dir}/resources.rc" PROPERTIES OBJECT_DEPENDS "${_res_files}")
  else()
    _quendral_resources_embedding("${out_dir}/resources.cc")
    target_sources(${ARG_TARGET} PRIVATE "${out_dir}/resources.cc")
    target_include_directories(${ARG_TARGET} PRIVATE "${CMAKE_SOURCE_DIR}")
  endif()
endfunction()
