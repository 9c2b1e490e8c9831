# cmake -DPREFIX=<dir> -P check_layout.cmake: every file users look for.
foreach(file IN ITEMS
        bin/orvex
        share/man/man1/orvex.1
        share/bash-completion/completions/orvex
        share/orvex/completions/orvex.ps1
        share/doc/orvex/README.md
        include/orvex/exprengine/parser.h
        include/orvex/formatting/error.h
        include/orvex/platform/platform.h
        lib/liborvex_exprengine.a
        lib/cmake/OrvexEngine/OrvexEngineConfig.cmake
        lib/cmake/OrvexEngine/OrvexEngineConfigVersion.cmake)
    if(NOT EXISTS ${PREFIX}/${file})
        list(APPEND missing ${file})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "missing from the installation: ${missing}")
endif()
