# How the released program is linked on POSIX systems (GCC or Clang): used
# for `orvex` in the release, bench and package builds, and for the copy
# the tests build to check that link.
include(CheckLinkerFlag)
if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(ORVEX_CAN_LINK_AS_RELEASED TRUE)
    check_linker_flag(CXX "-Wl,-z,pack-relative-relocs" ORVEX_LINKER_PACKS_RELOCATIONS)
else()
    set(ORVEX_CAN_LINK_AS_RELEASED FALSE)
endif()

function(orvex_link_as_released target)
    # A one-shot calculator's run time is mostly start-up, and loading a
    # shared C++ runtime costs more than the whole rest of the run, so the
    # released program carries its own. The C library stays shared: only the
    # shared one can load the locale data the number separators and month
    # names come from.
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc -Wl,--gc-sections)
    # Position-independent code needs a relocation per pointer in the
    # program's tables (help lines, messages, built-ins); packed, the loader
    # applies them in a fraction of the time.
    if(ORVEX_LINKER_PACKS_RELOCATIONS)
        target_link_options(${target} PRIVATE -Wl,-z,pack-relative-relocs)
    endif()
    # The math library is loaded when a run first needs it. With its
    # functions defined in the program, --as-needed drops the library the
    # compiler driver adds to every C++ link (Debian's driver passes the
    # flag itself; others do not).
    if(TARGET math_on_demand)
        target_link_libraries(${target} PRIVATE math_on_demand)
        target_link_options(${target} PRIVATE -Wl,--as-needed)
    endif()
endfunction()
