# A small library for the resource tests: it carries a resource description
# of its own, made by the same generator as the module's, so that the tests
# look resources up in a real loaded module other than the program on every
# platform. It is built next to the test programs, which find it there.

add_library(resource_module SHARED ${PROJECT_SOURCE_DIR}/tests/platform/os/resource_module/anchor.cc)
set_target_properties(resource_module PROPERTIES PREFIX ""
                      LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin
                      RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
quendral_resources(TARGET resource_module
                   SOURCE ${PROJECT_SOURCE_DIR}/tests/platform/os/resource_module/resources.json)

foreach(_test_program os_tests util_tests)
  if(TARGET ${_test_program})
    add_dependencies(${_test_program} resource_module quendral)
  endif()
endforeach()
