# What a program in C needs to link the library, given to CMake users with
# bake3ds::library and to everyone else with bake3ds.pc (pkg-config).
#
# The library is C++ behind a C interface. A shared library brings its C++
# runtime along; a static one leaves it to the program's link, which a C
# compiler's driver does not add (and CMake, in a project without CXX,
# cannot link with the C++ driver). So a static library carries the
# libraries the C++ driver links beyond what the C driver links: with GCC
# libstdc++ and libm, with clang and libc++ libc++, with mingw-w64 its own.
include(GNUInstallDirs)

set(BAKE3DS_CXX_RUNTIME "")
foreach(s_library IN LISTS CMAKE_CXX_IMPLICIT_LINK_LIBRARIES)
    if(NOT s_library IN_LIST CMAKE_C_IMPLICIT_LINK_LIBRARIES AND NOT s_library IN_LIST BAKE3DS_CXX_RUNTIME)
        list(APPEND BAKE3DS_CXX_RUNTIME "${s_library}")
    endif()
endforeach()

get_target_property(s_library_type bake3ds_library TYPE)
if(s_library_type STREQUAL "STATIC_LIBRARY")
    # a C++ program links these anyway: the same libraries again are harmless
    target_link_libraries(bake3ds_library INTERFACE ${BAKE3DS_CXX_RUNTIME})
endif()

# bake3ds.pc: -lbake3ds for the shared library, and with --static what a
# static library needs besides (the C++ runtime, and what the library links
# privately). Relocatable: it finds the prefix from its own folder, so that
# `cmake --install --prefix` and a package's prefix both hold a working file.
set(p_pc_private ${BAKE3DS_CXX_RUNTIME})
if(WIN32)
    list(APPEND p_pc_private shell32)
endif()
set(BAKE3DS_PC_LIBS_PRIVATE "")
foreach(s_library IN LISTS p_pc_private)
    if(s_library MATCHES "^-" OR IS_ABSOLUTE "${s_library}")
        string(APPEND BAKE3DS_PC_LIBS_PRIVATE " ${s_library}")
    else()
        string(APPEND BAKE3DS_PC_LIBS_PRIVATE " -l${s_library}")
    endif()
endforeach()
string(STRIP "${BAKE3DS_PC_LIBS_PRIVATE}" BAKE3DS_PC_LIBS_PRIVATE)
# a DLL's users import its functions (see BAKE3DS_API)
set(BAKE3DS_PC_CFLAGS_SHARED "")
if(WIN32 AND s_library_type STREQUAL "SHARED_LIBRARY")
    set(BAKE3DS_PC_CFLAGS_SHARED " -DBAKE3DS_SHARED")
endif()
foreach(s_dir LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${s_dir}}")
        set(BAKE3DS_PC_${s_dir} "${CMAKE_INSTALL_${s_dir}}")
    else()
        set(BAKE3DS_PC_${s_dir} "\${prefix}/${CMAKE_INSTALL_${s_dir}}")
    endif()
endforeach()
# from <libdir>/pkgconfig back to the prefix: "../.." for lib, "../../.." for
# Debian's lib/<triplet>
file(RELATIVE_PATH s_pc_up "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
string(REGEX REPLACE "/$" "" s_pc_up "${s_pc_up}")
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
    set(BAKE3DS_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
    set(BAKE3DS_PC_PREFIX "\${pcfiledir}/${s_pc_up}")
endif()
configure_file(cmake/bake3ds.pc.in "${PROJECT_BINARY_DIR}/bake3ds.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/bake3ds.pc" DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
