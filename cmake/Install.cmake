# What `cmake --install` lays out and what CPack packs.
#
# On Linux and the like: the calculator, its man page and shell completions,
# the README, and the expression engine (with the number formatting and
# platform layers it links) as a static library with its headers and an
# exported CMake package. The Windows archive keeps its flat layout: the
# program, the README and the PowerShell completion script side by side.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The engine's layers under their package names, also inside this tree.
foreach(layer IN ITEMS platform formatting exprengine)
    add_library(Orvex::${layer} ALIAS ${layer})
endforeach()
# The folder name DOCDIR derives from the project name.
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/orvex)

set(ORVEX_COMPLETIONS_DIR ${PROJECT_SOURCE_DIR}/doc/completions)

if(WIN32)
    install(TARGETS orvex RUNTIME DESTINATION .)
    install(FILES README.md DESTINATION .)
    install(FILES ${ORVEX_COMPLETIONS_DIR}/orvex.ps1 DESTINATION .)
    if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
        install(FILES LICENSE DESTINATION .)
    endif()
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME orvex)
    set(CPACK_PACKAGE_FILE_NAME orvex-${PROJECT_VERSION}-windows-x64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_STRIP_FILES TRUE)
    include(CPack)
    return()
endif()

# The calculator (component "orvex").
install(TARGETS orvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT orvex)
install(FILES ${ORVEX_COMPLETIONS_DIR}/orvex.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME orvex COMPONENT orvex)
# zsh and fish look in their vendor folders, which Debian's packages of
# both shells search without any setup.
install(FILES ${ORVEX_COMPLETIONS_DIR}/_orvex
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions COMPONENT orvex)
install(FILES ${ORVEX_COMPLETIONS_DIR}/orvex.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d COMPONENT orvex)
install(FILES ${ORVEX_COMPLETIONS_DIR}/orvex.ps1
        DESTINATION ${CMAKE_INSTALL_DATADIR}/orvex/completions COMPONENT orvex)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT orvex)
# The man page is installed by doc/, which generates it.

# Every package carries the licence in Debian's machine-readable form and a
# changelog, both in its own documentation folder. The changelog's date is
# the build date, so SOURCE_DATE_EPOCH fixes it, and gzip -n keeps names and
# times out of the compressed file: two builds give the same bytes.
find_program(ORVEX_GZIP gzip)
string(TIMESTAMP ORVEX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
if(ORVEX_GZIP)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
        COMMAND ${ORVEX_GZIP} -9n -c ${CMAKE_BINARY_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
        DEPENDS ${CMAKE_BINARY_DIR}/changelog
        COMMENT "Compressing the changelog")
    add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
    set(ORVEX_CHANGELOG ${CMAKE_BINARY_DIR}/changelog.gz)
else()
    set(ORVEX_CHANGELOG ${CMAKE_BINARY_DIR}/changelog)
endif()
foreach(component IN ITEMS orvex engine)
    if(component STREQUAL "orvex")
        set(docDir ${CMAKE_INSTALL_DOCDIR})
    else()
        set(docDir ${CMAKE_INSTALL_DATAROOTDIR}/doc/orvex-engine-dev)
    endif()
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${ORVEX_CHANGELOG}
            DESTINATION ${docDir} COMPONENT ${component})
endforeach()

# The engine (component "engine"): headers keep their layer folders under
# include/orvex, so that `#include "exprengine/parser.h"` reads the same
# inside and outside this tree.
set(ORVEX_ENGINE_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/orvex)
foreach(layer IN ITEMS platform formatting exprengine)
    # In the tree each layer has its own include root (Layers.cmake);
    # installed users get the installed header root instead, which holds
    # these three layers only. Installed archives carry the project's name,
    # so that libformatting.a meets no other package's file.
    set_property(TARGET ${layer} PROPERTY OUTPUT_NAME orvex_${layer})
    target_include_directories(${layer} INTERFACE
                               $<INSTALL_INTERFACE:${ORVEX_ENGINE_INCLUDE_DIR}>)
    install(DIRECTORY src/${layer}/ DESTINATION ${ORVEX_ENGINE_INCLUDE_DIR}/${layer}
            COMPONENT engine FILES_MATCHING PATTERN "*.h")
endforeach()
install(TARGETS platform formatting exprengine EXPORT OrvexEngineTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT engine)

set(ORVEX_ENGINE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/OrvexEngine)
install(EXPORT OrvexEngineTargets NAMESPACE Orvex:: DESTINATION ${ORVEX_ENGINE_CMAKE_DIR}
        COMPONENT engine)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/OrvexEngineConfig.cmake.in
    ${CMAKE_BINARY_DIR}/OrvexEngineConfig.cmake INSTALL_DESTINATION ${ORVEX_ENGINE_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/OrvexEngineConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/OrvexEngineConfig.cmake
              ${CMAKE_BINARY_DIR}/OrvexEngineConfigVersion.cmake
        DESTINATION ${ORVEX_ENGINE_CMAKE_DIR} COMPONENT engine)

# The same for builds without CMake: pkg-config --cflags --libs orvex-engine.
# The prefix is found from the file's own folder, so that the installation
# can move (cmake --install --prefix, an unpacked TGZ).
file(RELATIVE_PATH ORVEX_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" ORVEX_PC_TO_PREFIX "${ORVEX_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/doc/orvex-engine.pc.in ${CMAKE_BINARY_DIR}/orvex-engine.pc
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/orvex-engine.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT engine)

# Packages: a DEB per component (orvex, orvex-engine-dev) and one TGZ with
# everything.
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_NAME orvex)
set(CPACK_PACKAGE_VENDOR "The Orvex Developers")
set(CPACK_PACKAGE_CONTACT "The Orvex Developers <maintainers@orvex.dev>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME orvex-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_STRIP_FILES TRUE)
set(CPACK_COMPONENTS_ALL orvex engine)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvex.dev")
set(CPACK_DEBIAN_ORVEX_PACKAGE_NAME orvex)
set(CPACK_DEBIAN_ENGINE_PACKAGE_NAME orvex-engine-dev)
set(CPACK_DEBIAN_ENGINE_PACKAGE_SECTION libdevel)
# The first line of each description is the summary; CPack puts it in
# front of the text below, which becomes the extended description.
set(CPACK_DEBIAN_ORVEX_DESCRIPTION [[
orvex evaluates one arithmetic or logical expression given as command-line
arguments, prints the result and ends with an exit code that shell scripts
can test: TRUE and FALSE for a comparison, one code per class of error.
.
Results print as decimals, through custom number patterns, as percentages,
or in binary, octal and hexadecimal with digit blocks. Numbers may be
written in binary, octal and hexadecimal too. The package includes a manual
page with examples and completion of the option names for bash, zsh, fish
and PowerShell.]])
set(CPACK_DEBIAN_ENGINE_DESCRIPTION [[
The expression engine under the orvex calculator, for use in other
programs: a scanner, parser and typed expression tree with a library of
built-in functions, host variables and host functions.
.
This package holds the static libraries and C++20 headers, a CMake package
(find_package(OrvexEngine)) and a pkg-config file (orvex-engine).]])
# Depends: from the libraries the program links (the C library).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps reads the symbols the program uses, not the version of the
# C library's loader its packed relocations need (GLIBC_ABI_DT_RELR, from
# glibc 2.36 on): without this the package would install where the program
# cannot start. The discovered dependencies are added to it.
if(ORVEX_STATIC_RUNTIME AND ORVEX_CAN_LINK_AS_RELEASED AND ORVEX_LINKER_PACKS_RELOCATIONS)
    set(CPACK_DEBIAN_ORVEX_PACKAGE_DEPENDS "libc6 (>= 2.36)")
endif()
set(CPACK_DEBIAN_ORVEX_PACKAGE_RECOMMENDS bash-completion)
# Archives are stable byte for byte when the build is.
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)
