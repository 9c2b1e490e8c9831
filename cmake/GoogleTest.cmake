if(CMAKE_CROSSCOMPILING)
    # A cross build needs GoogleTest built by the cross compiler: Debian's
    # GoogleTest sources (package googletest) become part of this build.
    set(ORVEX_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
        "GoogleTest sources for cross builds")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${ORVEX_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest
                     EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
    if(WIN32)
        # ctest reads test listings line by line; keep CR out of them.
        target_sources(gtest INTERFACE
                       ${PROJECT_SOURCE_DIR}/tests/support/binary_test_output_win32.cpp)
    endif()
else()
    # GoogleTest from the system when installed, otherwise fetched once.
    find_package(GTest QUIET)
    if(NOT GTest_FOUND)
        include(FetchContent)
        FetchContent_Declare(googletest
            URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz
            DOWNLOAD_EXTRACT_TIMESTAMP TRUE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        FetchContent_MakeAvailable(googletest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
endif()
include(GoogleTest)
