# cmake -DPKG_CONFIG=<pkg-config> -DCXX=<compiler> -DPREFIX=<dir> -DSOURCE=<main.cpp>
#       -DOUTPUT=<program> -P pkg_config_consumer.cmake
# Builds the consumer example as a project without CMake would: the flags
# from pkg-config and one plain compiler call, then runs it.
set(ENV{PKG_CONFIG_PATH} ${PREFIX}/lib/pkgconfig)
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs orvex-engine
                OUTPUT_VARIABLE flags RESULT_VARIABLE result OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "pkg-config --cflags --libs orvex-engine failed: ${result}")
endif()
message(STATUS "pkg-config: ${flags}")
separate_arguments(flags UNIX_COMMAND "${flags}")
execute_process(COMMAND ${CXX} -std=c++20 ${SOURCE} -o ${OUTPUT} ${flags}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${CXX} failed: ${result}")
endif()
execute_process(COMMAND ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OUTPUT} failed: ${result}")
endif()
