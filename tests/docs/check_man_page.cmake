# cmake -DGROFF=<groff> -DPAGE=<file> -P check_man_page.cmake
# Renders the page with every warning enabled; any warning fails.
execute_process(COMMAND ${GROFF} -man -ww -z ${PAGE}
                RESULT_VARIABLE result ERROR_VARIABLE warnings OUTPUT_VARIABLE output)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT output STREQUAL "")
    message(FATAL_ERROR "groff -man -ww -z ${PAGE} (status ${result}):\n${warnings}${output}")
endif()
