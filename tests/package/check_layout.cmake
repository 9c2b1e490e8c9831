# cmake -DPREFIX=<dir> -P check_layout.cmake: every file users look for.
foreach(file IN ITEMS
        bin/orvex
        share/man/man1/orvex.1.gz
        share/bash-completion/completions/orvex
        share/zsh/vendor-completions/_orvex
        share/fish/vendor_completions.d/orvex.fish
        share/doc/orvex/copyright
        share/doc/orvex/changelog.gz
        share/doc/orvex-engine-dev/copyright
        share/doc/orvex-engine-dev/changelog.gz
        share/orvex/completions/orvex.ps1
        share/doc/orvex/README.md
        include/orvex/exprengine/parser.h
        include/orvex/formatting/error.h
        include/orvex/platform/platform.h
        lib/liborvex_exprengine.a
        lib/cmake/OrvexEngine/OrvexEngineConfig.cmake
        lib/cmake/OrvexEngine/OrvexEngineConfigVersion.cmake
        lib/pkgconfig/orvex-engine.pc)
    if(NOT EXISTS ${PREFIX}/${file})
        list(APPEND missing ${file})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "missing from the installation: ${missing}")
endif()
