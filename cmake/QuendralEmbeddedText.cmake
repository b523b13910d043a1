# A text file compiled into a library as a constant, so that the program
# carries it and needs no file beside it at run time:
#
#   quendral_embedded_text(TARGET target FILE path NAME ns::kName)
#
# defines `extern const std::string_view ns::kName` with the file's bytes;
# the library's own header declares it. The file is read when the build is
# configured, and a change to it configures the build again.

function(quendral_embedded_text)
  cmake_parse_arguments(ARG "" "TARGET;FILE;NAME" "" ${ARGN})
  if(NOT ARG_NAME MATCHES "^(([A-Za-z_][A-Za-z0-9_]*::)*)([A-Za-z_][A-Za-z0-9_]*)$")
    message(FATAL_ERROR "embedded text: not a C++ name: ${ARG_NAME}")
  endif()
  set(identifier "${CMAKE_MATCH_3}")
  string(REGEX REPLACE "::$" "" namespace "${CMAKE_MATCH_1}")
  get_filename_component(path "${ARG_FILE}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}")
  file(READ "${path}" hex HEX)
  # Every byte escaped: no character of the file can end or bend the literal.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
  file(RELATIVE_PATH name "${PROJECT_SOURCE_DIR}" "${path}")
  string(CONCAT text "// Generated from ${name}; edit that instead.\n"
              "#include <string_view>\n\n"
              "namespace ${namespace} {\n\n"
              "extern const std::string_view ${identifier};\n"
              "const std::string_view ${identifier}(\"${escaped}\", sizeof(\"${escaped}\") - 1);\n\n"
              "}  // namespace ${namespace}\n")
  string(MAKE_C_IDENTIFIER "${name}" stem)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded/${ARG_TARGET}/${stem}.cc")
  file(CONFIGURE OUTPUT "${out}" CONTENT "@text@" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
  target_sources(${ARG_TARGET} PRIVATE "${out}")
endfunction()
