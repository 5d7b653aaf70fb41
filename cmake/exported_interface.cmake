# The shared library exports the functions <bake3ds/bake3ds.h> declares with
# BAKE3DS_API and nothing else: not the platform unit, not the C++ inside,
# not the standard library's template instances. The list is read from the
# header, the one place it is written, into a linker version script (ELF)
# or a module-definition file (Windows).
file(STRINGS "${PROJECT_SOURCE_DIR}/include/bake3ds/bake3ds.h" bake3ds_api_lines REGEX "^BAKE3DS_API ")
set(BAKE3DS_INTERFACE_FUNCTIONS "")
foreach(line IN LISTS bake3ds_api_lines)
    if(line MATCHES "(bake3ds_[a-z0-9_]+)\\(")
        list(APPEND BAKE3DS_INTERFACE_FUNCTIONS ${CMAKE_MATCH_1})
    endif()
endforeach()
list(SORT BAKE3DS_INTERFACE_FUNCTIONS)
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${PROJECT_SOURCE_DIR}/include/bake3ds/bake3ds.h")

list(JOIN BAKE3DS_INTERFACE_FUNCTIONS ";\n        " bake3ds_global)
file(WRITE "${PROJECT_BINARY_DIR}/bake3ds.map" "{\n    global:\n        ${bake3ds_global};\n    local:\n        *;\n};\n")
list(JOIN BAKE3DS_INTERFACE_FUNCTIONS "\n    " bake3ds_exports)
file(WRITE "${PROJECT_BINARY_DIR}/bake3ds.def" "EXPORTS\n    ${bake3ds_exports}\n")

# Makes the shared library target export the interface alone.
function(bake3ds_export_interface target)
    if(WIN32)
        target_sources(${target} PRIVATE "${PROJECT_BINARY_DIR}/bake3ds.def")
    elseif(NOT APPLE)
        target_link_options(${target} PRIVATE "LINKER:--version-script=${PROJECT_BINARY_DIR}/bake3ds.map")
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${PROJECT_BINARY_DIR}/bake3ds.map")
    endif()
endfunction()
