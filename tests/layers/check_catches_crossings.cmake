# cmake -DCHECK=<CheckLayerIncludes.cmake> -DFIXTURE=<folder> -P check_catches_crossings.cmake
#
# The include check run on a tree of made-up layer files must fail, and name
# exactly the includes that cross the arrows: upward, sideways, past the
# layer below, by a relative path, out of the layers, and a folder that is no
# layer. The files that keep to the arrows must not be named.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURE} -P ${CHECK}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
    message(FATAL_ERROR "the check passed a tree with crossing includes:\n${output}")
endif()

set(expected
    "exprengine/upward.cpp: includes frontend/run_settings.h;"
    "cmdline/sideways.cpp: includes exprengine/parser.h;"
    "exprengine/below_formatting.h: includes platform/platform.h;"
    "formatting/relative.cpp: includes ../cmdline/banner.h;"
    "formatting/relative.cpp: includes ../../outside.h;"
    "extras/: a folder that is no layer")
foreach(line IN LISTS expected)
    string(FIND "${output}" "${line}" at)
    if(at EQUAL -1)
        list(APPEND missed "${line}")
    endif()
endforeach()
foreach(keeper IN ITEMS clean.cpp everything.cpp main.cpp formatting/error.h)
    string(FIND "${output}" "${keeper}" at)
    if(NOT at EQUAL -1)
        list(APPEND wronglyNamed "${keeper}")
    endif()
endforeach()
string(REGEX MATCHALL ": includes " named "${output}")
list(LENGTH named namedCount)
if(missed OR wronglyNamed OR NOT namedCount EQUAL 5)
    message(FATAL_ERROR "missed: ${missed}\nwrongly named: ${wronglyNamed}\n"
                        "includes named: ${namedCount} of 5\n${output}")
endif()
