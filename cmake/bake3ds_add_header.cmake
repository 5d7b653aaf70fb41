# bake3ds_add_header(TARGET <target> FILES <scene.3ds>...)
#
# Converts each .3ds file into its C++ header at build time and puts the
# headers on <target>'s include path, so that its sources can say
# #include "scene.h". A header is regenerated when its .3ds file or the
# converter changes. Relative paths are taken from the current source folder.
# When the converter refuses a file, the build fails with bake3ds-info's
# line saying why.
#
# The converter writes the header next to its input, so each input is first
# copied into <current binary folder>/bake3ds/<target>/; the header (and the
# class it declares) is named after the file: scene.3ds gives scene.h with
# class Cscene_3ds. Two files of one target that would write the same header
# (names differing only in case count as the same: they are one file on
# Windows and macOS) or declare the same class (a-b.3ds and a_b.3ds both
# declare Ca_b_3ds) are refused at configure time, naming both; the compiler
# would otherwise fail later on a redefinition. Messages name each file as
# listed, not its copy in the build tree.
#
# Runs the imported (or, inside the converter's own build, aliased)
# executable target bake3ds::bake3ds, unless the cache variable
# BAKE3DS_EXECUTABLE names a converter: in a cross build the package's
# target is a program for the target machine, which the build machine
# cannot run, so a converter built for the build machine is named there.

include_guard(GLOBAL)

set(BAKE3DS_EXECUTABLE "" CACHE FILEPATH
    "A bake3ds converter that runs on the build machine (for cross builds); empty: the package's bake3ds::bake3ds")

# The header's file name and the generated class's name for one input path,
# as the converter derives them: the file name up to its last '.', with
# ".h"; the class is C<header name without .h>_3ds, each character other
# than an ASCII letter, digit or '_' made '_'.
function(_bake3ds_names_for s_input out_header out_class)
    get_filename_component(s_name "${s_input}" NAME)
    string(FIND "${s_name}" "." n_dot REVERSE)
    if(n_dot GREATER_EQUAL 0)
        string(SUBSTRING "${s_name}" 0 ${n_dot} s_name)
    endif()
    string(REGEX REPLACE "[^A-Za-z0-9_]" "_" s_class "${s_name}")
    set(${out_header} "${s_name}.h" PARENT_SCOPE)
    set(${out_class} "C${s_class}_3ds" PARENT_SCOPE)
endfunction()

function(bake3ds_add_header)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET" "FILES")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "bake3ds_add_header: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_TARGET OR NOT TARGET "${arg_TARGET}")
        message(FATAL_ERROR "bake3ds_add_header: TARGET must name an existing target (got '${arg_TARGET}')")
    endif()
    if(NOT arg_FILES)
        message(FATAL_ERROR "bake3ds_add_header: no FILES given for ${arg_TARGET}")
    endif()
    if(BAKE3DS_EXECUTABLE)
        set(s_tool "${BAKE3DS_EXECUTABLE}")
        set(s_tool_file "${BAKE3DS_EXECUTABLE}")
    elseif(TARGET bake3ds::bake3ds)
        set(s_tool bake3ds::bake3ds)
        set(s_tool_file "$<TARGET_FILE:bake3ds::bake3ds>")
    else()
        message(FATAL_ERROR "bake3ds_add_header: the converter target bake3ds::bake3ds is not defined; use find_package(bake3ds) or set BAKE3DS_EXECUTABLE")
    endif()

    # a refusal shows bake3ds-info's reason, where the package has it
    set(s_convert "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/bake3ds_convert.cmake")
    set(s_info "")
    set(info_depends "")
    if(BAKE3DS_EXECUTABLE)
        # a host converter: the package's bake3ds-info may be built for the
        # target machine, so only a host one beside the converter serves
        get_filename_component(s_host_dir "${BAKE3DS_EXECUTABLE}" DIRECTORY)
        get_filename_component(s_host_ext "${BAKE3DS_EXECUTABLE}" LAST_EXT)
        if(EXISTS "${s_host_dir}/bake3ds-info${s_host_ext}")
            set(s_info "${s_host_dir}/bake3ds-info${s_host_ext}")
        endif()
    elseif(TARGET bake3ds::bake3ds-info)
        set(s_info "$<TARGET_FILE:bake3ds::bake3ds-info>")
        set(info_depends bake3ds::bake3ds-info)
    endif()

    set(s_dir "${CMAKE_CURRENT_BINARY_DIR}/bake3ds/${arg_TARGET}")
    # the target's scenes so far, over every call: the files as listed, and
    # per file its header (in lower case) and its class
    get_property(files TARGET "${arg_TARGET}" PROPERTY _BAKE3DS_FILES)
    get_property(header_keys TARGET "${arg_TARGET}" PROPERTY _BAKE3DS_HEADER_KEYS)
    get_property(classes TARGET "${arg_TARGET}" PROPERTY _BAKE3DS_CLASSES)
    set(new_headers "")
    foreach(s_file IN LISTS arg_FILES)
        get_filename_component(s_input "${s_file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        get_filename_component(s_input_name "${s_input}" NAME)
        _bake3ds_names_for("${s_input}" s_header s_class)
        # the folder is shared by all the target's scenes: a second file of
        # the same header would overwrite the first one's, and one program
        # cannot include two classes of one name
        string(TOLOWER "${s_header}" s_header_key)
        list(FIND header_keys "${s_header_key}" n_same_header)
        list(FIND classes "${s_class}" n_same_class)
        if(n_same_header GREATER_EQUAL 0)
            list(GET files ${n_same_header} s_other)
            message(FATAL_ERROR "bake3ds_add_header: ${s_other} and ${s_file} would both write the header ${s_header} "
                "for ${arg_TARGET} (names that differ only in case are one file on Windows and macOS); rename one of them")
        elseif(n_same_class GREATER_EQUAL 0)
            list(GET files ${n_same_class} s_other)
            message(FATAL_ERROR "bake3ds_add_header: ${s_other} and ${s_file} would both declare the class ${s_class} "
                "for ${arg_TARGET}; rename one of them")
        endif()
        list(APPEND files "${s_file}")
        list(APPEND header_keys "${s_header_key}")
        list(APPEND classes "${s_class}")
        add_custom_command(
            OUTPUT "${s_dir}/${s_header}"
            BYPRODUCTS "${s_dir}/${s_input_name}"
            COMMAND "${CMAKE_COMMAND}" -E make_directory "${s_dir}"
            COMMAND "${CMAKE_COMMAND}" -E copy "${s_input}" "${s_dir}/${s_input_name}"
            COMMAND "${CMAKE_COMMAND}" "-DTOOL=${s_tool_file}" "-DINFO=${s_info}"
                "-DIN=${s_dir}/${s_input_name}" "-DLISTED=${s_file}" -P "${s_convert}"
            DEPENDS "${s_input}" "${s_tool}" ${info_depends} "${s_convert}"
            COMMENT "Converting ${s_file} to ${s_header} (class ${s_class})"
            VERBATIM)
        list(APPEND new_headers "${s_dir}/${s_header}")
    endforeach()
    set_property(TARGET "${arg_TARGET}" PROPERTY _BAKE3DS_FILES "${files}")
    set_property(TARGET "${arg_TARGET}" PROPERTY _BAKE3DS_HEADER_KEYS "${header_keys}")
    set_property(TARGET "${arg_TARGET}" PROPERTY _BAKE3DS_CLASSES "${classes}")
    target_sources("${arg_TARGET}" PRIVATE ${new_headers})
    target_include_directories("${arg_TARGET}" PRIVATE "${s_dir}")
endfunction()
