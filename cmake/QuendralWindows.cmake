# What the Windows builds need beyond the toolchain: whole-archive linking,
# the DLL's export table, and Wine to run the x86-64 test programs.

# CMake knows no whole-archive linking for MinGW; GNU ld does it as on Linux.
set(CMAKE_LINK_LIBRARY_USING_WHOLE_ARCHIVE
    "LINKER:--whole-archive" "<LINK_ITEM>" "LINKER:--no-whole-archive")
set(CMAKE_LINK_LIBRARY_USING_WHOLE_ARCHIVE_SUPPORTED TRUE)

# GCC 12 reports overlapping copies inside std::string concatenation that
# cannot happen (GCC bug 105329); for 32-bit targets it does so for plain
# "text" + string expressions.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)

# The x86-64 programs run under Wine, in a prefix of the build's own that is
# made here, once, so that parallel test runs do not race to make it.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  find_program(QUENDRAL_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  find_program(QUENDRAL_WINE64 wine64)
  if(QUENDRAL_WINE64)
    set(_prefix ${PROJECT_BINARY_DIR}/wine-prefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env WINEPREFIX=${_prefix} WINEDEBUG=-all
        WINEDLLOVERRIDES=mscoree,mshtml= ${QUENDRAL_WINE64})
    if(NOT EXISTS ${_prefix}/system.reg)
      message(STATUS "Making the Wine prefix ${_prefix}")
      execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
  elseif(QUENDRAL_TESTS)
    message(WARNING "wine64 not found: the Windows tests cannot run")
  endif()
endif()

# The export check below is a test even in builds without the test suite.
enable_testing()

# quendral_windows_dll(TARGET OUTPUT_NAME name DEF file EXPORTS name...)
# Names the library as Windows callers know it, exports exactly the .def
# file's entries under their undecorated names (32-bit __stdcall functions
# would otherwise carry "@<bytes>"), gives callers an import library that
# links, and checks both in tests.
function(quendral_windows_dll target)
  cmake_parse_arguments(ARG "" "DEF;OUTPUT_NAME" "EXPORTS" ${ARGN})
  target_sources(${target} PRIVATE ${ARG_DEF})
  target_link_options(${target} PRIVATE "LINKER:--kill-at,--enable-stdcall-fixup")
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${ARG_OUTPUT_NAME})
  string(REPLACE ";" "," exports "${ARG_EXPORTS}")
  add_test(NAME ${target}_exports
           COMMAND ${CMAKE_COMMAND} -DLIBRARY=$<TARGET_FILE:${target}>
                   -DOBJDUMP=${QUENDRAL_MINGW_TRIPLE}-objdump -DEXPORTS=${exports}
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckExports.cmake)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DLIBRARY=$<TARGET_FILE:${target}>
              -DIMPORT_LIBRARY=$<TARGET_LINKER_FILE:${target}>
              -DNM=${QUENDRAL_MINGW_TRIPLE}-nm -DDLLTOOL=${QUENDRAL_MINGW_TRIPLE}-dlltool
              -DEXPORTS=${exports} -P ${PROJECT_SOURCE_DIR}/cmake/StdcallImportLibrary.cmake
      COMMENT "Making the import library of ${ARG_OUTPUT_NAME} with the __stdcall names")
    # A C caller of the header links against it. (The x86-64 suite runs one
    # under Wine.)
    add_test(NAME ${target}_import_library
             COMMAND ${CMAKE_C_COMPILER} -o ${CMAKE_CURRENT_BINARY_DIR}/import_library_caller.exe
                     ${PROJECT_SOURCE_DIR}/tests/install/consumer/consumer.c
                     -I${PROJECT_SOURCE_DIR}/include $<TARGET_LINKER_FILE:${target}>)
    # The shipping DLL holds no fault hook of the tests.
    add_test(NAME ${target}_holds_no_fault_hooks
             COMMAND ${CMAKE_COMMAND} -DFILES=$<TARGET_FILE:${target}>
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoFaultHooks.cmake)
  endif()
endfunction()
