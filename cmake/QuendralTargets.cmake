# Helpers that turn the source folders into targets. Sources are found by
# globbing, so adding a file to a folder needs no edit here.

# quendral_library(NAME DIRS dir... [LINKS target...])
# A static library of the .cc files directly inside each folder.
function(quendral_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS" ${ARGN})
  set(sources "")
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cc)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    set(sources ${CMAKE_SOURCE_DIR}/module/shared_library.cc)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} Threads::Threads)
  _quendral_library_code(${name})
endfunction()

# Code of the library itself: the exported functions are defined, not
# imported. Public, so that whatever links the code statically sees the same.
function(_quendral_library_code name)
  target_compile_definitions(${name} PUBLIC QUENDRAL_BUILDING_LIBRARY)
endfunction()

# Which implementation of the operating-system layer is built; the only
# difference between the Windows and the POSIX builds of our code.
if(WIN32)
  set(_quendral_default_os_layer win32)
else()
  set(_quendral_default_os_layer posix)
endif()
set(QUENDRAL_OS_LAYER ${_quendral_default_os_layer} CACHE STRING
    "Implementation of the operating-system layer (platform/os/<layer>): posix or win32")
set_property(CACHE QUENDRAL_OS_LAYER PROPERTY STRINGS posix win32)

# The operating-system layer: shared logic in platform/os, the system calls of
# one implementation in platform/os/posix or platform/os/win32.
function(quendral_os_library name)
  if(NOT QUENDRAL_OS_LAYER MATCHES "^(posix|win32)$")
    message(FATAL_ERROR "QUENDRAL_OS_LAYER must be posix or win32, not ${QUENDRAL_OS_LAYER}")
  endif()
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/platform/os/*.cc
       ${CMAKE_SOURCE_DIR}/platform/os/${QUENDRAL_OS_LAYER}/*.cc)
  if(NOT sources)
    set(sources ${CMAKE_SOURCE_DIR}/module/shared_library.cc)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
  if(QUENDRAL_OS_LAYER STREQUAL "win32")
    set(system_libraries version)
  else()
    set(system_libraries ${CMAKE_DL_LIBS})
  endif()
  target_link_libraries(${name} PUBLIC Threads::Threads ${system_libraries})
  _quendral_library_code(${name})
endfunction()

# quendral_test(NAME DIRS dir... LINKS target...)
# One GoogleTest executable of the *_test.cc files in the folders.
function(quendral_test name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS" ${ARGN})
  set(sources "")
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*_test.cc
                                      ${CMAKE_SOURCE_DIR}/tests/${dir}/*_support.cc)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(environment "QUENDRAL_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  if(CMAKE_CROSSCOMPILING)
    # Each run pays for starting the emulator (Wine: about a second), so a
    # program runs whole, as one test; its output names the failing cases.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${environment}")
  endif()
endfunction()
