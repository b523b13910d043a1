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
# Debian's expat is built with DTD support; its header declares the limits
# on entity expansion only to builds that say so.
set_property(TARGET EXPAT::EXPAT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS XML_DTD)
if(QUENDRAL_TESTS)
  find_package(GTest REQUIRED)
endif()
if(QUENDRAL_BENCH)
  find_package(benchmark REQUIRED)
endif()
