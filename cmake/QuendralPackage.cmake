# The packages `make package` builds from what `cmake --install` puts in
# place: a Debian package of the native build, and a zip of the 32-bit
# Windows build, the Windows kit.
set(CPACK_PACKAGE_NAME quendral)
set(CPACK_PACKAGE_VENDOR "QUENDRAL developers")
set(CPACK_PACKAGE_CONTACT "QUENDRAL developers")
# The release, not the project's whole version (which ends in the library
# file's revision), nor that of a project that includes this one.
set(CPACK_PACKAGE_VERSION ${QUENDRAL_RELEASE})
set(CPACK_PACKAGE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(CPACK_PACKAGE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Repairs Notes documents in place: hidden rich text and links to old replicas")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quendral-${QUENDRAL_RELEASE}-windows)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # The libraries the library and the tool load, found by dpkg-shlibdeps.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_STRIP_FILES ON)
endif()

include(CPack)
