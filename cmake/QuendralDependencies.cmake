# Third-party libraries, all from the distribution's packages. The Windows
# builds are cross builds and get theirs elsewhere.
if(WIN32)
  include(QuendralWindowsDependencies)
  return()
endif()

find_package(SQLite3 REQUIRED)
find_package(Threads REQUIRED)
find_package(CLI11 CONFIG REQUIRED)
find_package(nlohmann_json CONFIG REQUIRED)
find_package(EXPAT REQUIRED)
if(QUENDRAL_TESTS)
  find_package(GTest REQUIRED)
endif()
if(QUENDRAL_BENCH)
  find_package(benchmark REQUIRED)
endif()
