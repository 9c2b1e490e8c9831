# cmake -DSOURCE_DIR=<folder of the layers> -P CheckLayerIncludes.cmake
#
# Checks every #include of every file in the layer folders (and of the files
# beside them, main.cpp) against the arrows of LayerArrows.cmake, and fails
# naming each include that crosses them. A folder that is no known layer
# fails too: a new layer needs its arrows before it has files.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/LayerArrows.cmake)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "SOURCE_DIR is no folder: '${SOURCE_DIR}'")
endif()
cmake_path(ABSOLUTE_PATH SOURCE_DIR NORMALIZE)
string(REGEX REPLACE "/$" "" SOURCE_DIR "${SOURCE_DIR}")

set(violations "")
set(checkedFiles 0)

# The layer an included path names, or nothing when it names none: a path
# relative to the including file is resolved first, so that
# "../frontend/driver.h" counts as the front end's.
function(included_layer file path result)
    set(${result} "" PARENT_SCOPE)
    if(path MATCHES "^\\.\\.?/")
        cmake_path(GET file PARENT_PATH directory)
        cmake_path(ABSOLUTE_PATH path BASE_DIRECTORY ${directory} NORMALIZE
                   OUTPUT_VARIABLE resolved)
        cmake_path(RELATIVE_PATH resolved BASE_DIRECTORY ${SOURCE_DIR})
        if(resolved MATCHES "^\\.\\./" OR resolved STREQUAL "..")
            set(${result} "<outside the layers>" PARENT_SCOPE)
            return()
        endif()
        set(path ${resolved})
    endif()
    if(path MATCHES "^([^/]+)/" AND CMAKE_MATCH_1 IN_LIST ORVEX_LAYERS)
        set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
    endif()
endfunction()

function(check_file file layer)
    set(allowed ${layer} ${ORVEX_LAYER_USES_${layer}})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    cmake_path(RELATIVE_PATH file BASE_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE shown)
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "include[ \t]*[\"<]([^\">]+)[\">]")
            continue()
        endif()
        set(path ${CMAKE_MATCH_1})
        included_layer(${file} ${path} target)
        if(target STREQUAL "" OR target IN_LIST allowed)
            continue()
        endif()
        list(JOIN allowed ", " allowedText)
        string(APPEND violations "  ${shown}: includes ${path}; ${layer} may include ${allowedText}\n")
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

set(sourcePatterns *.h *.hpp *.cpp *.cc *.cxx *.inc)

file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(entry IN LISTS entries)
    if(NOT IS_DIRECTORY ${SOURCE_DIR}/${entry})
        continue()
    endif()
    if(NOT entry IN_LIST ORVEX_LAYERS)
        string(APPEND violations "  ${entry}/: a folder that is no layer; give it its arrows\n")
        continue()
    endif()
    list(TRANSFORM sourcePatterns PREPEND ${SOURCE_DIR}/${entry}/ OUTPUT_VARIABLE globs)
    file(GLOB_RECURSE files LIST_DIRECTORIES false ${globs})
    foreach(file IN LISTS files)
        check_file(${file} ${entry})
        math(EXPR checkedFiles "${checkedFiles} + 1")
    endforeach()
endforeach()

list(TRANSFORM sourcePatterns PREPEND ${SOURCE_DIR}/ OUTPUT_VARIABLE globs)
file(GLOB files LIST_DIRECTORIES false ${globs})
foreach(file IN LISTS files)
    check_file(${file} main)
    math(EXPR checkedFiles "${checkedFiles} + 1")
endforeach()

if(checkedFiles EQUAL 0)
    message(FATAL_ERROR "no source files under ${SOURCE_DIR}")
endif()
if(NOT violations STREQUAL "")
    message(FATAL_ERROR "includes that cross the layers' arrows:\n${violations}")
endif()
message(STATUS "${checkedFiles} files keep to the layers' arrows")
