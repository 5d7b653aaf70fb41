# The manual pages of bake3ds and bake3ds-info (section 1), installed with
# the programs, compressed. They name the project's version, which is
# written once, in project().
include(GNUInstallDirs)
include(cmake/gzip_copies.cmake)

set(p_man_pages "")
foreach(s_page bake3ds.1 bake3ds-info.1)
    configure_file("man/${s_page}" "${PROJECT_BINARY_DIR}/man/${s_page}" @ONLY)
    list(APPEND p_man_pages "${PROJECT_BINARY_DIR}/man/${s_page}")
endforeach()
bake3ds_gzip_copies(p_man_pages_gz ${p_man_pages})
add_custom_target(bake3ds_man_pages ALL DEPENDS ${p_man_pages_gz})
install(FILES ${p_man_pages_gz} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
