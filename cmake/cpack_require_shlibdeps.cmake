# Read by cpack before it writes each package (CPACK_PROJECT_CONFIG_FILE).
# The Debian package's dependencies, with their least versions, come from
# dpkg-shlibdeps; without it CPack would quietly write a package that
# depends on nothing.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(BAKE3DS_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT BAKE3DS_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "The Debian package's dependencies are worked out by dpkg-shlibdeps, which is not "
            "installed: apt-get install dpkg-dev (or as root: bash tests/packages.sh test)")
    endif()
endif()
