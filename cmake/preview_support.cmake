# Finds what the offscreen preview needs (Mesa's OSMesa with the OpenGL
# headers, libpng) and sets BAKE3DS_HAVE_PREVIEW; where something is
# missing, BAKE3DS_PREVIEW_MISSING names it, for the messages of the targets
# and tests that then skip.
find_path(BAKE3DS_GL_INCLUDE_DIR GL/gl.h)
find_path(BAKE3DS_OSMESA_INCLUDE_DIR GL/osmesa.h)
find_library(BAKE3DS_OSMESA_LIBRARY OSMesa)
find_package(PNG QUIET)

set(BAKE3DS_PREVIEW_MISSING "")
if(NOT BAKE3DS_GL_INCLUDE_DIR)
    list(APPEND BAKE3DS_PREVIEW_MISSING "<GL/gl.h> (Debian libgl-dev)")
endif()
if(NOT BAKE3DS_OSMESA_INCLUDE_DIR OR NOT BAKE3DS_OSMESA_LIBRARY)
    list(APPEND BAKE3DS_PREVIEW_MISSING "OSMesa (Debian libosmesa6-dev)")
endif()
if(NOT PNG_FOUND)
    list(APPEND BAKE3DS_PREVIEW_MISSING "libpng (Debian libpng-dev)")
endif()
if(BAKE3DS_PREVIEW_MISSING)
    set(BAKE3DS_HAVE_PREVIEW OFF)
    list(JOIN BAKE3DS_PREVIEW_MISSING ", " BAKE3DS_PREVIEW_MISSING)
    message(STATUS "no offscreen preview: ${BAKE3DS_PREVIEW_MISSING} not found")
else()
    set(BAKE3DS_HAVE_PREVIEW ON)
endif()

# bake3ds_add_scene_program(<target> MAIN <source> SCENE <scene.3ds>)
#
# An executable built from MAIN with the scene's header converted at build
# time; MAIN includes it as BAKE3DS_SCENE_HEADER and names its class
# BAKE3DS_SCENE_CLASS. It links the preview library.
function(bake3ds_add_scene_program s_target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "MAIN;SCENE" "")
    add_executable(${s_target} ${arg_MAIN})
    bake3ds_add_header(TARGET ${s_target} FILES "${arg_SCENE}")
    _bake3ds_names_for("${arg_SCENE}" s_header s_class)
    target_compile_definitions(${s_target} PRIVATE
        BAKE3DS_SCENE_HEADER="${s_header}" BAKE3DS_SCENE_CLASS=${s_class})
    target_link_libraries(${s_target} PRIVATE bake3ds_preview)
    target_compile_options(${s_target} PRIVATE ${BAKE3DS_WARNINGS})
endfunction()
