# cmake -DTOOL=<converter> -DINFO=<bake3ds-info, may be empty> -DIN=<scene.3ds>
#     -DLISTED=<the file as the user listed it> -P bake3ds_convert.cmake
#
# Runs the converter on one scene (IN, the copy in the build tree). Its
# progress is kept back: the build shows the one line of the step's comment
# per scene, and the converter's own messages only when it fails. When it
# refuses the file, bake3ds-info's reason line says why, and the step fails.
# What is shown names the file as listed: the copy means nothing to the user.
# bake3ds_add_header runs every conversion through this script; it needs no
# shell.

execute_process(COMMAND "${TOOL}" "${IN}" RESULT_VARIABLE n_status OUTPUT_VARIABLE s_out ERROR_VARIABLE s_err)
if(n_status EQUAL 0)
    return()
endif()
if(NOT LISTED)
    set(LISTED "${IN}")
endif()
string(REPLACE "${IN}" "${LISTED}" s_shown "${s_out}${s_err}")
message(NOTICE "${s_shown}")
set(s_reason "")
if(INFO)
    execute_process(COMMAND "${INFO}" "${IN}" RESULT_VARIABLE n_info OUTPUT_VARIABLE s_report ERROR_QUIET)
    string(REGEX MATCH "(^|\n)(refused: [^\n]*)" s_line "${s_report}")
    if(n_info EQUAL 1 AND s_line)
        set(s_reason "${CMAKE_MATCH_2}")
    endif()
endif()
if(s_reason)
    # the reason as one line of its own, which the build output keeps whole
    message(NOTICE "bake3ds-info: ${LISTED}: ${s_reason}")
endif()
message(FATAL_ERROR "bake3ds could not convert ${LISTED} (exit status ${n_status})")
