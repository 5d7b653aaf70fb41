# Release archives with CPack, holding what `cmake --install` installs (the
# converter and its CMake package): on Linux a Debian package
# bake3ds_<version>_<arch>.deb, in a Windows build a zip
# bake3ds-<version>-win64.zip. `cpack` in the build folder writes it.
set(CPACK_PACKAGE_NAME bake3ds)
set(CPACK_PACKAGE_VENDOR "bake3ds")
set(CPACK_PACKAGE_CONTACT "bake3ds maintainers <bake3ds@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Converts 3D Studio .3ds scenes into C++ headers of static OpenGL data")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # <name>_<version>_<architecture>.deb, the architecture from dpkg
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION devel)
    # the C and C++ runtimes the converter links; named by hand, so that
    # packaging needs no dpkg-shlibdeps (Debian's dpkg-dev)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
endif()
include(CPack)
