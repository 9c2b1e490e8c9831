# cmake -DCXX=<compiler> -DINCLUDES=<folders> -DSEES=<headers>
#       -DREFUSES=<headers> -DWORK=<folder> -P include_roots.cmake
# (each list joined by "|")
#
# Compiles a one-line file including each header with the include folders a
# layer's own files compile with: each header it sees must compile, each it
# refuses must fail for want of that very header. The first half shows that
# the second fails for the right reason.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" includes "${INCLUDES}")
string(REPLACE "|" ";" SEES "${SEES}")
string(REPLACE "|" ";" REFUSES "${REFUSES}")
list(TRANSFORM includes PREPEND "-I")
file(MAKE_DIRECTORY ${WORK})

function(compile header result output)
    string(MAKE_C_IDENTIFIER ${header} name)
    set(source ${WORK}/${name}.cpp)
    file(WRITE ${source} "#include \"${header}\"\n")
    execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${includes} ${source}
                    RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE text)
    set(${result} ${status} PARENT_SCOPE)
    set(${output} "${text}" PARENT_SCOPE)
endfunction()

foreach(header IN LISTS SEES)
    compile(${header} status text)
    if(NOT status EQUAL 0)
        string(APPEND failures "${header} did not compile:\n${text}\n")
    endif()
endforeach()
foreach(header IN LISTS REFUSES)
    compile(${header} status text)
    string(FIND "${text}" "${header}" named)
    if(status EQUAL 0)
        string(APPEND failures "${header} compiled, although the layer may not see it\n")
    elseif(named EQUAL -1)
        string(APPEND failures "${header} failed, but not for want of the header:\n${text}\n")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
