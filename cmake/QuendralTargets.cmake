# Helpers that turn the source folders into targets. Sources are found by
# globbing, so adding a file to a folder needs no edit here.

# Each library shows its dependents its own folders only (_quendral_expose).
set(QUENDRAL_INCLUDE_ROOT ${PROJECT_BINARY_DIR}/include-of)
set(QUENDRAL_LAYERS_DIR ${PROJECT_BINARY_DIR}/layers)
file(REMOVE_RECURSE ${QUENDRAL_INCLUDE_ROOT} ${QUENDRAL_LAYERS_DIR})

# _quendral_expose(NAME SCOPE dir...)
# Gives the library an include folder of its own in the build tree, holding
# for each of its source folders links to the headers directly inside it,
# under the folder's path. Includes keep the form "platform/notes/api/ln.h",
# yet the folders of a library not linked, and those of a library linked
# privately, are out of reach: a sibling's (dxl -> batch) or a layer's
# above fails to compile. What the library sees is written down for
# scripts/check-layers.py.
function(_quendral_expose name scope)
  set(root ${QUENDRAL_INCLUDE_ROOT}/${name})
  foreach(dir IN LISTS ARGN)
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    file(MAKE_DIRECTORY ${root}/${dir})
    foreach(header IN LISTS headers)
      cmake_path(GET header FILENAME leaf)
      file(CREATE_LINK ${header} ${root}/${dir}/${leaf} SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${name} ${scope} ${root} ${PROJECT_SOURCE_DIR}/include)
  if(scope STREQUAL "INTERFACE")
    set(seen INTERFACE_INCLUDE_DIRECTORIES)
  else()
    set(seen INCLUDE_DIRECTORIES)
  endif()
  file(GENERATE OUTPUT ${QUENDRAL_LAYERS_DIR}/${name}.txt
       CONTENT "folders ${ARGN}\nsees $<TARGET_PROPERTY:${name},${seen}>\n")
endfunction()

# quendral_library(NAME DIRS dir... [LINKS target...] [PRIVATE_LINKS target...])
# A static library of the .cc files directly inside each folder; a folder of
# headers alone gives a header-only (interface) library. LINKS are part of
# the library's face: its dependents see their headers too. PRIVATE_LINKS
# are linked but their headers stay the library's own business.
function(quendral_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS;PRIVATE_LINKS" ${ARGN})
  set(sources "")
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cc)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    if(ARG_PRIVATE_LINKS)
      message(FATAL_ERROR "${name}: a header-only library has no private links")
    endif()
    add_library(${name} INTERFACE)
    _quendral_expose(${name} INTERFACE ${ARG_DIRS})
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  _quendral_expose(${name} PUBLIC ${ARG_DIRS})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} Threads::Threads)
  if(ARG_PRIVATE_LINKS)
    target_link_libraries(${name} PRIVATE ${ARG_PRIVATE_LINKS})
  endif()
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

# quendral_os_library(NAME [DIR folder] [LINKS target...])
# A part of the operating-system layer: the shared logic in the folder
# (platform/os by default, with the codecs of the file formats it reads in
# platform/os/formats), the system calls of one implementation in its posix/
# or win32/ subfolder.
function(quendral_os_library name)
  cmake_parse_arguments(ARG "" "DIR" "LINKS" ${ARGN})
  if(NOT QUENDRAL_OS_LAYER MATCHES "^(posix|win32)$")
    message(FATAL_ERROR "QUENDRAL_OS_LAYER must be posix or win32, not ${QUENDRAL_OS_LAYER}")
  endif()
  if(NOT ARG_DIR)
    set(ARG_DIR platform/os)
  endif()
  set(folders ${ARG_DIR} ${ARG_DIR}/${QUENDRAL_OS_LAYER})
  if(ARG_DIR STREQUAL "platform/os")
    list(APPEND folders platform/os/formats)
  endif()
  set(sources "")
  foreach(folder IN LISTS folders)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cc)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/module/shared_library.cc)
  endif()
  add_library(${name} STATIC ${sources})
  _quendral_expose(${name} PUBLIC ${folders})
  if(QUENDRAL_OS_LAYER STREQUAL "win32")
    # The system libraries it calls directly; the rest (OLE pictures, Windows
    # Sockets) are looked up when needed.
    set(system_libraries version user32 advapi32 shell32 oleaut32)
  else()
    set(system_libraries ${CMAKE_DL_LIBS})
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} Threads::Threads ${system_libraries})
  _quendral_library_code(${name})
endfunction()

# Test files whose cases put windows on a display. They are built into a
# program of their own per folder, which runs on the test run's virtual
# display (tests/display_server.sh) while no other such program does.
set(QUENDRAL_DISPLAY_TEST_PATTERNS "*_window_*test.cc" "*_x11_*test.cc")

# Test and support files of one implementation of the operating-system layer
# are named *_posix_test.cc / *_win32_test.cc (*_posix_support.cc ...); the
# build takes those of its own layer only, so that no test source asks which
# system it is on.
if(QUENDRAL_OS_LAYER STREQUAL "win32")
  set(_quendral_other_os_layer posix)
else()
  set(_quendral_other_os_layer win32)
endif()

# Drops from the list `variable` the files of the other layer.
function(_quendral_keep_own_os_layer variable)
  list(FILTER ${variable} EXCLUDE REGEX "_${_quendral_other_os_layer}_(test|support)\\.cc$")
  set(${variable} ${${variable}} PARENT_SCOPE)
endfunction()

# quendral_test(NAME DIRS dir... LINKS target...)
# One GoogleTest executable of the *_test.cc files in the folders, and one
# named <stem>_display_tests for those of them that need a display.
function(quendral_test name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS" ${ARGN})
  set(tests "")
  set(display_tests "")
  set(support "")
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*_test.cc)
    foreach(pattern IN LISTS QUENDRAL_DISPLAY_TEST_PATTERNS)
      file(GLOB on_display CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/${pattern})
      if(on_display)
        list(REMOVE_ITEM found ${on_display})
        list(APPEND display_tests ${on_display})
      endif()
    endforeach()
    list(APPEND tests ${found})
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*_support.cc)
    list(APPEND support ${found})
  endforeach()
  _quendral_keep_own_os_layer(tests)
  _quendral_keep_own_os_layer(display_tests)
  _quendral_keep_own_os_layer(support)
  _quendral_test_program(${name} "${tests}" "${support}" "${ARG_LINKS}" OFF)
  string(REGEX REPLACE "_tests$" "" stem ${name})
  _quendral_test_program(${stem}_display_tests "${display_tests}" "${support}" "${ARG_LINKS}" ON)
endfunction()

function(_quendral_test_program name tests support links on_display)
  if(NOT tests)
    return()
  endif()
  add_executable(${name} ${tests} ${support})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${links} GTest::gtest GTest::gtest_main GTest::gmock)
  set(environment "QUENDRAL_BIN_DIR=${PROJECT_BINARY_DIR}/bin")
  if(on_display OR CMAKE_CROSSCOMPILING)
    # A program on the display runs whole, as one test. So does every program
    # under an emulator, where each run pays for starting it (Wine: about a
    # second); the output names the failing cases. Wine's windows need a
    # display too, and one display serves the whole run.
    add_test(NAME ${name} COMMAND ${QUENDRAL_DISPLAY_RUN} ${CMAKE_CROSSCOMPILING_EMULATOR}
                                  $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}"
                                            FIXTURES_REQUIRED display)
    if(on_display)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${environment}")
  endif()
endfunction()

# The virtual display of a test run: started before the first test that
# needs it and stopped after the last.
function(quendral_test_display)
  set(script ${PROJECT_SOURCE_DIR}/tests/display_server.sh)
  set(state ${PROJECT_BINARY_DIR}/test-display)
  add_test(NAME display_server_start COMMAND sh ${script} start ${state})
  add_test(NAME display_server_stop COMMAND sh ${script} stop ${state})
  set_tests_properties(display_server_start PROPERTIES FIXTURES_SETUP display)
  set_tests_properties(display_server_stop PROPERTIES FIXTURES_CLEANUP display)
  set(QUENDRAL_DISPLAY_RUN sh ${script} run ${state} PARENT_SCOPE)
endfunction()
