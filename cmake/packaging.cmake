# Release archives with CPack, holding what `cmake --install` installs (the
# converter and its CMake package): on Linux a Debian package
# bake3ds_<version>-<revision>_<arch>.deb, in a Windows build a zip
# bake3ds-<version>-win64.zip. `cpack` in the build folder writes it.
set(CPACK_PACKAGE_NAME bake3ds)
set(CPACK_PACKAGE_VENDOR "bake3ds")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Converts 3D Studio .3ds scenes into C++ headers of static OpenGL data")
# read here: CPack would escape the text of CPACK_PACKAGE_DESCRIPTION_FILE
# as XML (&lt; for <) in the Debian control file
file(READ packaging/description.txt CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)

# The Debian changelog's newest entry says who releases the package and its
# Debian revision, as dpkg-parsechangelog reads them; its upstream part must
# be this project's version, so that a new version cannot be packaged
# without an entry of its own.
file(STRINGS packaging/debian/changelog s_changelog_entry REGEX "^bake3ds \\(" LIMIT_COUNT 1)
file(STRINGS packaging/debian/changelog s_changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT s_changelog_entry MATCHES "^bake3ds \\(([^)]+)-([^)-]+)\\)")
    message(FATAL_ERROR "packaging/debian/changelog does not begin with an entry \"bake3ds (<version>-<revision>)\"")
endif()
set(s_changelog_upstream "${CMAKE_MATCH_1}")
set(CPACK_DEBIAN_PACKAGE_RELEASE "${CMAKE_MATCH_2}")
if(NOT s_changelog_upstream STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/debian/changelog's newest entry is for ${s_changelog_upstream}, the project is "
        "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}-1 at its top")
endif()
if(NOT s_changelog_trailer MATCHES "^ -- ([^<]+ <[^>]+>)  ")
    message(FATAL_ERROR "packaging/debian/changelog's newest entry has no trailer \" -- name <address>  date\"")
endif()
set(CPACK_PACKAGE_CONTACT "${CMAKE_MATCH_1}")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # what `cmake --install` installs, and the Debian package's own files
    # (debian_files.cmake), which a plain install leaves out
    set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};bake3ds;Unspecified;/"
        "${PROJECT_BINARY_DIR};bake3ds;debian;/")
    # <name>_<version>-<revision>_<architecture>.deb, the architecture from dpkg
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION devel)
    # The dependencies with the least versions the binaries need, worked out
    # by dpkg-shlibdeps (Debian's dpkg-dev) from the symbols they use.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # without dpkg-shlibdeps CPack would write a package that depends on
    # nothing: refuse instead
    set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_SOURCE_DIR}/cmake/cpack_require_shlibdeps.cmake")
endif()
include(CPack)
