# Debian wants manual pages and changelogs compressed with gzip -9n: without
# the name and time stamp in the gzip header, two builds of one source give
# the same bytes. The copies are made at build time, in the build folder.
include_guard(GLOBAL)
find_program(BAKE3DS_GZIP gzip REQUIRED)

# Writes a gzip -9n copy of each file named (paths in the build folder)
# beside it, and sets out_var to the copies' paths.
function(bake3ds_gzip_copies out_var)
    set(p_copies "")
    foreach(s_file IN LISTS ARGN)
        add_custom_command(OUTPUT "${s_file}.gz"
            COMMAND "${BAKE3DS_GZIP}" -9nkf "${s_file}"
            DEPENDS "${s_file}"
            VERBATIM)
        list(APPEND p_copies "${s_file}.gz")
    endforeach()
    set(${out_var} "${p_copies}" PARENT_SCOPE)
endfunction()
