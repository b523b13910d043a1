# What `cmake --install` puts in place: the shared library with its header,
# the tool and its man page, and what C and C++ builds find the library by,
# a CMake package (quendral::quendral) and, outside Windows, a pkg-config
# file. The Windows kit also carries the .def file of the DLL's exports.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUENDRAL_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/quendral)

target_include_directories(quendral INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
if(NOT WIN32)
  set_target_properties(quendral PROPERTIES VERSION ${QUENDRAL_RELEASE}
                                            SOVERSION ${PROJECT_VERSION_MAJOR})
endif()

install(TARGETS quendral EXPORT quendralTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/quendral/quendral.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quendral)
install(EXPORT quendralTargets NAMESPACE quendral:: DESTINATION ${QUENDRAL_CMAKE_PACKAGE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/install/quendralConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/install/quendralConfig.cmake
                              INSTALL_DESTINATION ${QUENDRAL_CMAKE_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/install/quendralConfigVersion.cmake
                                 VERSION ${QUENDRAL_RELEASE} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/install/quendralConfig.cmake
              ${PROJECT_BINARY_DIR}/install/quendralConfigVersion.cmake
        DESTINATION ${QUENDRAL_CMAKE_PACKAGE_DIR})

# The 32-bit kit ships the x86-64 tool of the other Windows build, which
# needs no DLL beside it: the MinGW runtime is linked in.
set(QUENDRAL_KIT_TOOL "" CACHE FILEPATH
    "A quendral.exe to install instead of this build's own tool (the Windows kit's x86-64 one)")
if(QUENDRAL_KIT_TOOL)
  install(PROGRAMS ${QUENDRAL_KIT_TOOL} DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  install(TARGETS quendral_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(WIN32)
  install(FILES ${QUENDRAL_DEF_FILE} DESTINATION ${CMAKE_INSTALL_LIBDIR})
  return()
endif()

# The pkg-config file finds its prefix from where it lies, so that it holds
# wherever the tree is installed or unpacked.
file(RELATIVE_PATH QUENDRAL_PC_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/install/quendral.pc.in
               ${PROJECT_BINARY_DIR}/install/quendral.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/install/quendral.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The man page is the tool's own help, made when the tool is built (not for
# sanitizer builds, which are never installed).
if(NOT CMAKE_CROSSCOMPILING AND NOT QUENDRAL_SANITIZE)
  find_program(QUENDRAL_HELP2MAN help2man REQUIRED)
  set(man_page ${PROJECT_BINARY_DIR}/man/quendral.1)
  add_custom_command(
    OUTPUT ${man_page}
    COMMAND ${QUENDRAL_HELP2MAN} --no-info --no-discard-stderr
            --name "repairs Notes documents in place" --output ${man_page}
            $<TARGET_FILE:quendral_cli>
    DEPENDS quendral_cli
    COMMENT "Making the man page quendral.1")
  add_custom_target(quendral_man ALL DEPENDS ${man_page})
  install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
