# Small libraries for the version tests: each carries the module's own
# version code (entry, capture, exported getters) with a version block of its
# own, made by the same generator as the module's, so that the tests watch
# the capture run in a real loaded module on every platform. They are built
# next to the test programs, which find them there.

file(GLOB _version_module_sources CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/module/version*.cc
     ${PROJECT_SOURCE_DIR}/module/module_entry*.cc
     ${PROJECT_SOURCE_DIR}/module/exported_version.cc)
add_library(qd_version_module_code OBJECT ${_version_module_sources})
target_link_libraries(qd_version_module_code PUBLIC qd_os)
# Test modules built from the module's own sources: they see the tree, as
# the tests do.
target_include_directories(qd_version_module_code PUBLIC ${PROJECT_SOURCE_DIR})

set(QUENDRAL_VERSION_MODULES "")

# quendral_version_module(NAME [SOURCES file...] [DEFINES def...]
#                         [LANGUAGE 0xNNNN] [CODE_PAGE 0xNNNN] [NO_TRANSLATION]
#                         [STRINGS name value ...])
# The block is the module's own version.json with the changes that
# quendral_version_block makes of the last four options.
function(quendral_version_module name)
  cmake_parse_arguments(ARG "NO_TRANSLATION" "LANGUAGE;CODE_PAGE" "SOURCES;DEFINES;STRINGS" ${ARGN})
  set(block_options "")
  if(ARG_NO_TRANSLATION)
    list(APPEND block_options NO_TRANSLATION)
  endif()
  foreach(option LANGUAGE CODE_PAGE)
    if(ARG_${option})
      list(APPEND block_options ${option} ${ARG_${option}})
    endif()
  endforeach()
  add_library(${name} SHARED ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE qd_version_module_code)
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINES})
  set_target_properties(${name} PROPERTIES PREFIX ""
                        LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin
                        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  quendral_version_block(TARGET ${name} SOURCE ${PROJECT_SOURCE_DIR}/module/version.json
                         ${block_options} STRINGS ${ARG_STRINGS})
  set(QUENDRAL_VERSION_MODULES ${QUENDRAL_VERSION_MODULES} ${name} PARENT_SCOPE)
endfunction()

set(_dll_get_version ${PROJECT_SOURCE_DIR}/tests/module/version_module_dll_get_version.cc)
# FileVersion texts of 255 and 256 characters: the longest kept whole, and
# the shortest that is cut.
string(REPEAT "0" 245 _zeros)
set(_text_255 "1, 2, 3, ${_zeros}9")
set(_text_256 "1, 2, 3, 0${_zeros}9")

quendral_version_module(version_module_comma STRINGS FileVersion "7, 8, 9, 10")
quendral_version_module(version_module_dotted STRINGS FileVersion "3.4.5.6")
quendral_version_module(version_module_two_numbers STRINGS FileVersion "5, 6")
quendral_version_module(version_module_other_translation LANGUAGE 0x0409 CODE_PAGE 0x04E4
                        STRINGS FileVersion "2, 4, 6, 8")
quendral_version_module(version_module_no_translation NO_TRANSLATION LANGUAGE 0x0409
                        STRINGS FileVersion "9, 8, 7, 6")
quendral_version_module(version_module_text_255 STRINGS FileVersion "${_text_255}")
quendral_version_module(version_module_text_256 STRINGS FileVersion "${_text_256}")
quendral_version_module(version_module_dll_get_version SOURCES ${_dll_get_version}
                        DEFINES DLL_GET_VERSION_RESULT=0)
quendral_version_module(version_module_dll_get_version_fails SOURCES ${_dll_get_version}
                        DEFINES DLL_GET_VERSION_RESULT=-2147467259
                        STRINGS FileVersion "4, 5, 6, 7")

foreach(_test_program module_tests os_tests)
  if(TARGET ${_test_program})
    add_dependencies(${_test_program} ${QUENDRAL_VERSION_MODULES} quendral)
  endif()
endforeach()
