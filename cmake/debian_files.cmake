# What Debian wants beside a package's programs: the changelog (under the
# name of a package with a Debian revision, compressed), the copyright file
# and lintian's overrides. Installed by `cmake --install` too, where they
# are harmless.
include(GNUInstallDirs)
include(cmake/gzip_copies.cmake)

configure_file(packaging/debian/changelog "${PROJECT_BINARY_DIR}/debian/changelog.Debian" COPYONLY)
bake3ds_gzip_copies(p_changelog_gz "${PROJECT_BINARY_DIR}/debian/changelog.Debian")
add_custom_target(bake3ds_debian_changelog ALL DEPENDS ${p_changelog_gz})
install(FILES ${p_changelog_gz} packaging/debian/copyright DESTINATION "${CMAKE_INSTALL_DOCDIR}")
install(FILES packaging/debian/lintian-overrides DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides"
    RENAME bake3ds)

# A stripped install (cpack strips) also drops the compilers' version
# strings, from the programs and the library, as Debian's dh_strip does.
if(CMAKE_OBJCOPY)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    foreach(s_file \"${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:bake3ds>\"
            \"${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:bake3ds-info>\"
            \"${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:bake3ds_library>\")
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${s_file}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()")
endif()
