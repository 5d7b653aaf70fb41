# Installs the converter and a CMake package for it: find_package(bake3ds)
# gives the library bake3ds::library (<bake3ds/bake3ds.h>), the imported
# executables bake3ds::bake3ds and bake3ds::bake3ds-info,
# bake3ds_add_header() and the header-only target bake3ds::gl_core
# (<bake3ds/gl_core.h>). bake3ds.pc gives the library to pkg-config.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
include(cmake/c_consumers.cmake)

set(BAKE3DS_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/bake3ds")

install(TARGETS bake3ds bake3ds-info bake3ds_gl_core bake3ds_library EXPORT bake3dsTargets
    RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
    LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
    ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}")
install(FILES include/bake3ds/bake3ds.h include/bake3ds/bake3ds.hpp include/bake3ds/gl_core.h include/bake3ds/fixed_function_names.h
    DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/bake3ds")
install(EXPORT bake3dsTargets NAMESPACE bake3ds:: DESTINATION "${BAKE3DS_PACKAGE_DIR}")

configure_package_config_file(cmake/bake3dsConfig.cmake.in "${PROJECT_BINARY_DIR}/bake3dsConfig.cmake"
    INSTALL_DESTINATION "${BAKE3DS_PACKAGE_DIR}")
# headers of one major version are read the same way by the users' code
write_basic_package_version_file("${PROJECT_BINARY_DIR}/bake3dsConfigVersion.cmake"
    VERSION "${PROJECT_VERSION}" COMPATIBILITY SameMajorVersion)
install(FILES
    "${PROJECT_BINARY_DIR}/bake3dsConfig.cmake"
    "${PROJECT_BINARY_DIR}/bake3dsConfigVersion.cmake"
    cmake/bake3ds_add_header.cmake
    cmake/bake3ds_convert.cmake
    DESTINATION "${BAKE3DS_PACKAGE_DIR}")
