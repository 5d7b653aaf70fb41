# Runs one program and decides by its exit status and its output, so that
# neither alone can pass a test: the status must be EXPECT_STATUS, the output
# (standard output and error together) must match EXPECT_OUTPUT and must hold
# no sanitizer report.
#
# cmake -DEXPECT_STATUS=N -DEXPECT_OUTPUT=REGEX -P expect_run.cmake PROGRAM [ARGS...]
# the program and its arguments follow the script's path
set(command "")
set(n_script -1)
math(EXPR n_last "${CMAKE_ARGC} - 1")
foreach(n RANGE 0 ${n_last})
    if(n_script GREATER_EQUAL 0 AND n GREATER n_script)
        list(APPEND command "${CMAKE_ARGV${n}}")
    elseif(n_script LESS 0 AND CMAKE_ARGV${n} STREQUAL "-P")
        math(EXPR n_script "${n} + 1")
    endif()
endforeach()
if(NOT command)
    message(FATAL_ERROR "usage: cmake -DEXPECT_STATUS=N -DEXPECT_OUTPUT=REGEX -P expect_run.cmake PROGRAM [ARGS...]")
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status STREQUAL "${EXPECT_STATUS}")
    message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}")
endif()
if(NOT output MATCHES "${EXPECT_OUTPUT}")
    message(FATAL_ERROR "the output does not match: ${EXPECT_OUTPUT}")
endif()
if(output MATCHES "Sanitizer|runtime error")
    message(FATAL_ERROR "a sanitizer reported an error")
endif()
