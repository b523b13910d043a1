# Third-party libraries for the Windows cross builds. The distribution has
# no Windows builds of them, so: SQLite is compiled from the amalgamation
# that the npm registry's better-sqlite3 package ships (fetched into the
# build tree when configuring), GoogleTest from its Debian sources, and the
# header-only CLI11 and nlohmann-json come from the host's headers. No
# benchmarks.
find_package(Threads REQUIRED)

if(QUENDRAL_BENCH)
  message(FATAL_ERROR "The benchmarks are not built for Windows: configure with -DQUENDRAL_BENCH=OFF")
endif()

set(QUENDRAL_SQLITE_NPM_PACKAGE "better-sqlite3@12" CACHE STRING
    "npm package whose deps/sqlite3 holds the SQLite amalgamation")
set(_sqlite_root ${CMAKE_BINARY_DIR}/_deps/sqlite)
set(_sqlite_dir ${_sqlite_root}/package/deps/sqlite3)
if(NOT EXISTS ${_sqlite_dir}/sqlite3.c)
  find_program(QUENDRAL_NPM npm REQUIRED)
  file(MAKE_DIRECTORY ${_sqlite_root})
  message(STATUS "Fetching the SQLite amalgamation: npm pack ${QUENDRAL_SQLITE_NPM_PACKAGE}")
  execute_process(COMMAND ${QUENDRAL_NPM} pack ${QUENDRAL_SQLITE_NPM_PACKAGE} --silent
                  WORKING_DIRECTORY ${_sqlite_root}
                  OUTPUT_VARIABLE _tarball OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0 OR NOT EXISTS ${_sqlite_root}/${_tarball})
    message(FATAL_ERROR "npm pack ${QUENDRAL_SQLITE_NPM_PACKAGE} failed (${_result})")
  endif()
  file(ARCHIVE_EXTRACT INPUT ${_sqlite_root}/${_tarball} DESTINATION ${_sqlite_root}
       PATTERNS package/deps/sqlite3)
  file(REMOVE ${_sqlite_root}/${_tarball})
  if(NOT EXISTS ${_sqlite_dir}/sqlite3.c)
    message(FATAL_ERROR "${QUENDRAL_SQLITE_NPM_PACKAGE} carries no deps/sqlite3/sqlite3.c")
  endif()
endif()
add_library(qd_sqlite3 STATIC ${_sqlite_dir}/sqlite3.c)
target_include_directories(qd_sqlite3 SYSTEM PUBLIC ${_sqlite_dir})
target_compile_definitions(qd_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(qd_sqlite3 PRIVATE -w)  # not our code
add_library(SQLite::SQLite3 ALIAS qd_sqlite3)

# The host's include directory must not be searched whole by the cross
# compiler, so each library gets a directory holding only a link to its
# headers.
function(_quendral_host_headers target folder)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps.sh")
  endif()
  set(dir ${CMAKE_BINARY_DIR}/_deps/host_headers/${folder})
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
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main gmock gmock_main)
    target_compile_options(${library} PRIVATE -w)  # not our code
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
endif()
