# What Debian wants beside a package's programs: the changelog (under the
# name of a package with a Debian revision, compressed), the copyright file
# and lintian's overrides. They go into the Debian package only (their own
# install component, which packaging.cmake hands to CPack); a plain
# `cmake --install` leaves them out.
include(GNUInstallDirs)
include(cmake/gzip_copies.cmake)

configure_file(packaging/debian/changelog "${PROJECT_BINARY_DIR}/debian/changelog.Debian" COPYONLY)
bake3ds_gzip_copies(p_changelog_gz "${PROJECT_BINARY_DIR}/debian/changelog.Debian")
add_custom_target(bake3ds_debian_changelog ALL DEPENDS ${p_changelog_gz})

# The copyright file from LICENSE, the one text of the licence: its
# copyright line, then the licence's paragraphs as Debian's format indents
# them (a blank line as " .").
file(STRINGS LICENSE s_license_lines)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
set(BAKE3DS_LICENSE_TEXT "")
set(b_after_copyright FALSE)
foreach(s_line IN LISTS s_license_lines)
    if(s_line MATCHES "^Copyright \\(c\\) (.*)$")
        set(BAKE3DS_COPYRIGHT "${CMAKE_MATCH_1}")
        set(b_after_copyright TRUE)
    elseif(b_after_copyright AND (BAKE3DS_LICENSE_TEXT OR s_line))
        if(s_line)
            string(APPEND BAKE3DS_LICENSE_TEXT " ${s_line}\n")
        else()
            string(APPEND BAKE3DS_LICENSE_TEXT " .\n")
        endif()
    endif()
endforeach()
string(REGEX REPLACE "\n$" "" BAKE3DS_LICENSE_TEXT "${BAKE3DS_LICENSE_TEXT}")
configure_file(packaging/debian/copyright.in "${PROJECT_BINARY_DIR}/debian/copyright" @ONLY)

install(FILES ${p_changelog_gz} "${PROJECT_BINARY_DIR}/debian/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}"
    COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES packaging/debian/lintian-overrides DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides"
    RENAME bake3ds COMPONENT debian EXCLUDE_FROM_ALL)

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
