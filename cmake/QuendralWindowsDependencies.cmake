# Third-party libraries for the Windows cross builds. The distribution has
# no Windows builds of them, so: SQLite is compiled from the amalgamation
# that the npm registry's better-sqlite3 package ships, expat from the
# distribution's own source package with its patches (so that both systems
# parse with the same release and fixes; both fetched into the build tree
# when configuring), GoogleTest from its Debian sources, and the
# header-only CLI11 and nlohmann-json come from the host's headers. No
# benchmarks.
find_package(Threads REQUIRED)

if(QUENDRAL_BENCH)
  message(FATAL_ERROR "The benchmarks are not built for Windows: configure with -DQUENDRAL_BENCH=OFF")
endif()

# Fetches `package` from the npm registry and unpacks its `folder` under
# `root`, unless `probe` (a file below `root`) is there already.
function(_quendral_npm_sources package root folder probe)
  if(EXISTS ${root}/${probe})
    return()
  endif()
  find_program(QUENDRAL_NPM npm REQUIRED)
  file(MAKE_DIRECTORY ${root})
  message(STATUS "Fetching sources: npm pack ${package}")
  execute_process(COMMAND ${QUENDRAL_NPM} pack ${package} --silent
                  WORKING_DIRECTORY ${root}
                  OUTPUT_VARIABLE tarball OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT EXISTS ${root}/${tarball})
    message(FATAL_ERROR "npm pack ${package} failed (${result})")
  endif()
  file(ARCHIVE_EXTRACT INPUT ${root}/${tarball} DESTINATION ${root} PATTERNS ${folder})
  file(REMOVE ${root}/${tarball})
  if(NOT EXISTS ${root}/${probe})
    message(FATAL_ERROR "${package} carries no ${probe}")
  endif()
endfunction()

set(QUENDRAL_SQLITE_NPM_PACKAGE "better-sqlite3@12" CACHE STRING
    "npm package whose deps/sqlite3 holds the SQLite amalgamation")
set(_sqlite_root ${PROJECT_BINARY_DIR}/_deps/sqlite)
set(_sqlite_dir ${_sqlite_root}/package/deps/sqlite3)
_quendral_npm_sources(${QUENDRAL_SQLITE_NPM_PACKAGE} ${_sqlite_root} package/deps/sqlite3
                      package/deps/sqlite3/sqlite3.c)
add_library(qd_sqlite3 STATIC ${_sqlite_dir}/sqlite3.c)
target_include_directories(qd_sqlite3 SYSTEM PUBLIC ${_sqlite_dir})
target_compile_definitions(qd_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(qd_sqlite3 PRIVATE -w)  # not our code
add_library(SQLite::SQLite3 ALIAS qd_sqlite3)

# Fetches the distribution's source package `package` with apt (its
# original tarball with the distribution's patches applied) into `root`,
# unless a folder matching `probe` (a glob below `root`) is there already.
# Sets `result_var` to the first match of `probe`.
function(_quendral_debian_sources package root probe result_var)
  file(GLOB found ${root}/${probe})
  if(NOT found)
    find_program(QUENDRAL_APT_GET apt-get REQUIRED)
    file(MAKE_DIRECTORY ${root})
    message(STATUS "Fetching sources: apt-get source ${package}")
    execute_process(COMMAND ${QUENDRAL_APT_GET} source --only-source ${package}
                    WORKING_DIRECTORY ${root}
                    OUTPUT_VARIABLE output ERROR_VARIABLE output
                    RESULT_VARIABLE result)
    file(GLOB found ${root}/${probe})
    if(NOT result EQUAL 0 OR NOT found)
      message(FATAL_ERROR "apt-get source ${package} failed (${result}): run "
                          "scripts/install-deps.sh, which adds the source entries.\n${output}")
    endif()
  endif()
  list(GET found 0 first)
  set(${result_var} ${first} PARENT_SCOPE)
endfunction()

# expat, static, with 64-bit stream positions so that exports over 2 GB keep
# exact byte offsets (the Windows long is 32 bits), and configured as the
# distribution configures its own: DTDs (which its entity-expansion limits
# need), namespaces and 1 KB of context.
_quendral_debian_sources(expat ${PROJECT_BINARY_DIR}/_deps/expat expat-*/expat/lib/xmlparse.c
                         _expat_parser)
get_filename_component(_expat_dir ${_expat_parser} DIRECTORY)
set(_expat_config_dir ${PROJECT_BINARY_DIR}/_deps/expat/config)
file(WRITE ${_expat_config_dir}/expat_config.h.new [=[
#ifndef EXPAT_CONFIG_H
#define EXPAT_CONFIG_H 1
#define BYTEORDER 1234
#define HAVE_FCNTL_H 1
#define HAVE_INTTYPES_H 1
#define HAVE_MEMORY_H 1
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define HAVE_SYS_STAT_H 1
#define HAVE_SYS_TYPES_H 1
#define STDC_HEADERS 1
#define XML_CONTEXT_BYTES 1024
#define XML_DTD 1
#define XML_NS 1
#endif
]=])
file(COPY_FILE ${_expat_config_dir}/expat_config.h.new ${_expat_config_dir}/expat_config.h
     ONLY_IF_DIFFERENT)
add_library(qd_expat STATIC ${_expat_dir}/xmlparse.c ${_expat_dir}/xmlrole.c
                            ${_expat_dir}/xmltok.c)
target_include_directories(qd_expat SYSTEM PUBLIC ${_expat_dir})
target_include_directories(qd_expat PRIVATE ${_expat_config_dir})
# Built with DTD support (its config above); the header declares the limits
# on entity expansion only to builds that say so.
target_compile_definitions(qd_expat PUBLIC XML_STATIC XML_LARGE_SIZE XML_DTD)
target_compile_options(qd_expat PRIVATE -w)  # not our code
add_library(EXPAT::EXPAT ALIAS qd_expat)

# The release the native build links against (the host's headers), which
# the Windows tool's must not be older than.
file(STRINGS /usr/include/expat.h _expat_release REGEX "#define XML_(MAJOR|MINOR|MICRO)_VERSION")
string(REGEX REPLACE "[^0-9]*([0-9]+)[^0-9]+([0-9]+)[^0-9]+([0-9]+).*" "\\1.\\2.\\3"
       QUENDRAL_NATIVE_EXPAT_RELEASE "${_expat_release}")

# The host's include directory must not be searched whole by the cross
# compiler, so each library gets a directory holding only a link to its
# headers.
function(_quendral_host_headers target folder)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps.sh")
  endif()
  set(dir ${PROJECT_BINARY_DIR}/_deps/host_headers/${folder})
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK /usr/include/${folder} ${dir}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${dir})
endfunction()
_quendral_host_headers(CLI11::CLI11 CLI)
_quendral_host_headers(nlohmann_json::nlohmann_json nlohmann)

if(QUENDRAL_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main gmock gmock_main)
    target_compile_options(${library} PRIVATE -w)  # not our code
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
endif()
