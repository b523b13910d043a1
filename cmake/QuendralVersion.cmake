# The version block a module carries, made from one JSON source (the
# module's is module/version.json). On Windows the block becomes a resource
# script for the resource compiler; elsewhere a C++ source that writes the
# same block, in the same layout, into the ELF section that the OS layer's
# version calls read.
#
# quendral_version_block(TARGET target SOURCE json
#                        [LANGUAGE 0xNNNN] [CODE_PAGE 0xNNNN] [NO_TRANSLATION]
#                        [STRINGS name value ...])
# LANGUAGE and CODE_PAGE replace those of the source; NO_TRANSLATION leaves
# the translation out of the block; STRINGS replace or add texts of the
# string table.

if(WIN32)
  enable_language(RC)
endif()

set(QUENDRAL_VERSION_SECTION ".quendral_version")

function(_quendral_version_get json out pattern)
  string(JSON value ERROR_VARIABLE error GET "${json}" ${ARGN})
  if(error OR NOT value MATCHES "${pattern}")
    string(REPLACE ";" " " where "${ARGN}")
    message(FATAL_ERROR "version block: \"${where}\" is missing or malformed: ${value}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Texts go into resource scripts and C++ literals unescaped, and through
# CMake lists.
function(_quendral_version_check_text text)
  if(NOT text MATCHES "^[ -~]*$" OR text MATCHES "[\"\\\\;]")
    message(FATAL_ERROR "version block: text not allowed (printable ASCII without \", \\ or ;): ${text}")
  endif()
endfunction()

# Four numbers of 16 bits, as a list.
function(_quendral_version_numbers json key out)
  set(numbers "")
  foreach(index RANGE 3)
    _quendral_version_get("${json}" number "^[0-9]+$" ${key} ${index})
    if(number GREATER 65535)
      message(FATAL_ERROR "version block: ${key} ${index} is over 65535: ${number}")
    endif()
    list(APPEND numbers ${number})
  endforeach()
  set(${out} "${numbers}" PARENT_SCOPE)
endfunction()

# Reads the source and applies the overrides; sets _block_* in the caller.
macro(_quendral_version_read source)
  file(READ "${source}" _json)
  _quendral_version_numbers("${_json}" file_version _block_file_version)
  _quendral_version_numbers("${_json}" product_version _block_product_version)
  foreach(field file_flags_mask file_flags file_os file_type file_subtype)
    _quendral_version_get("${_json}" _block_${field} "^0x[0-9A-Fa-f]+$" ${field})
  endforeach()
  foreach(field language code_page)
    _quendral_version_get("${_json}" _block_${field} "^0x[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$" ${field})
  endforeach()
  set(_block_names "")
  set(_block_values "")
  string(JSON _count LENGTH "${_json}" strings)
  math(EXPR _last "${_count} - 1")
  foreach(index RANGE ${_last})
    _quendral_version_get("${_json}" _name "^[A-Za-z]+$" strings ${index} name)
    string(JSON _value GET "${_json}" strings ${index} value)
    list(APPEND _block_names "${_name}")
    list(APPEND _block_values "${_value}")
  endforeach()
endmacro()

macro(_quendral_version_override)
  if(ARG_LANGUAGE)
    set(_block_language ${ARG_LANGUAGE})
  endif()
  if(ARG_CODE_PAGE)
    set(_block_code_page ${ARG_CODE_PAGE})
  endif()
  set(_overrides ${ARG_STRINGS})
  while(_overrides)
    list(POP_FRONT _overrides _name _value)
    list(FIND _block_names "${_name}" _at)
    if(_at EQUAL -1)
      list(APPEND _block_names "${_name}")
      list(APPEND _block_values "${_value}")
    else()
      list(REMOVE_AT _block_values ${_at})
      list(INSERT _block_values ${_at} "${_value}")
    endif()
  endwhile()
  foreach(_value IN LISTS _block_values)
    _quendral_version_check_text("${_value}")
  endforeach()
endmacro()

function(_quendral_version_resource_script source out)
  string(REPLACE ";" "," file_version "${_block_file_version}")
  string(REPLACE ";" "," product_version "${_block_product_version}")
  string(SUBSTRING "${_block_language}" 2 4 language)
  string(SUBSTRING "${_block_code_page}" 2 4 code_page)
  string(TOLOWER "${language}${code_page}" table)
  set(text "// Generated from ${source}; edit that instead.\n")
  string(APPEND text "1 VERSIONINFO\n"
         "FILEVERSION ${file_version}\n"
         "PRODUCTVERSION ${product_version}\n"
         "FILEFLAGSMASK ${_block_file_flags_mask}\n"
         "FILEFLAGS ${_block_file_flags}\n"
         "FILEOS ${_block_file_os}\n"
         "FILETYPE ${_block_file_type}\n"
         "FILESUBTYPE ${_block_file_subtype}\n"
         "BEGIN\n"
         "  BLOCK \"StringFileInfo\"\n"
         "  BEGIN\n"
         "    BLOCK \"${table}\"\n"
         "    BEGIN\n")
  foreach(name value IN ZIP_LISTS _block_names _block_values)
    string(APPEND text "      VALUE \"${name}\", \"${value}\"\n")
  endforeach()
  string(APPEND text "    END\n  END\n")
  if(NOT ARG_NO_TRANSLATION)
    string(APPEND text "  BLOCK \"VarFileInfo\"\n  BEGIN\n"
           "    VALUE \"Translation\", ${_block_language}, ${_block_code_page}\n  END\n")
  endif()
  string(APPEND text "END\n")
  file(CONFIGURE OUTPUT "${out}" CONTENT "@text@" @ONLY)
endfunction()

function(_quendral_version_embedding source out)
  string(REPLACE ";" ", " file_version "${_block_file_version}")
  string(REPLACE ";" ", " product_version "${_block_product_version}")
  if(ARG_NO_TRANSLATION)
    set(declares false)
  else()
    set(declares true)
  endif()
  set(strings "")
  foreach(name value IN ZIP_LISTS _block_names _block_values)
    string(APPEND strings "    {\"${name}\", \"${value}\"},\n")
  endforeach()
  set(text "// Generated from ${source}; edit that instead.\n")
  string(APPEND text
         "#include <string_view>\n\n"
         "#include \"platform/os/version_block_writer.h\"\n"
         "#include \"platform/os/version_info.h\"\n\n"
         "namespace {\n\n"
         "constexpr quendral::os::VersionString kStrings[] = {\n${strings}};\n\n"
         "constexpr quendral::os::VersionBlockSource kSource = {\n"
         "    .file_version = {${file_version}},\n"
         "    .product_version = {${product_version}},\n"
         "    .file_flags_mask = ${_block_file_flags_mask},\n"
         "    .file_flags = ${_block_file_flags},\n"
         "    .file_os = ${_block_file_os},\n"
         "    .file_type = ${_block_file_type},\n"
         "    .file_subtype = ${_block_file_subtype},\n"
         "    .language = ${_block_language},\n"
         "    .code_page = ${_block_code_page},\n"
         "    .declares_translation = ${declares},\n"
         "    .strings = kStrings,\n"
         "};\n\n"
         "static_assert(std::string_view(quendral::os::kVersionSectionName) == \"${QUENDRAL_VERSION_SECTION}\");\n\n"
         "[[gnu::used, gnu::section(\"${QUENDRAL_VERSION_SECTION}\")]] constexpr auto kVersionBlock =\n"
         "    quendral::os::EncodeToArray<quendral::os::VersionBlockWriter,\n                    quendral::os::EncodedSize<quendral::os::VersionBlockWriter>(kSource)>(kSource);\n\n"
         "}  // namespace\n")
  file(CONFIGURE OUTPUT "${out}" CONTENT "@text@" @ONLY)
endfunction()

function(quendral_version_block)
  cmake_parse_arguments(ARG "NO_TRANSLATION" "TARGET;SOURCE;LANGUAGE;CODE_PAGE" "STRINGS" ${ARGN})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ARG_SOURCE}")
  _quendral_version_read("${ARG_SOURCE}")
  _quendral_version_override()
  file(RELATIVE_PATH source_name "${CMAKE_SOURCE_DIR}" "${ARG_SOURCE}")
  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/version_blocks/${ARG_TARGET}")
  if(WIN32)
    _quendral_version_resource_script("${source_name}" "${out_dir}/version.rc")
    target_sources(${ARG_TARGET} PRIVATE "${out_dir}/version.rc")
  else()
    _quendral_version_embedding("${source_name}" "${out_dir}/version_block.cc")
    target_sources(${ARG_TARGET} PRIVATE "${out_dir}/version_block.cc")
    target_include_directories(${ARG_TARGET} PRIVATE "${CMAKE_SOURCE_DIR}")
  endif()
endfunction()
