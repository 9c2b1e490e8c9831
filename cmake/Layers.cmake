# Include roots that hold each layer to its arrows.
#
# Every layer's library compiles against a folder of its own in the build
# tree, which holds links to the source folders of the layers it may see and
# no others: `#include "frontend/driver.h"` in the engine finds no file. A
# layer sees the layers it uses and, since their headers include theirs, the
# layers those use in turn; which of these it may include directly is for
# the include check (CheckLayerIncludes.cmake) to say.
include(${CMAKE_CURRENT_LIST_DIR}/LayerArrows.cmake)

# The layers whose headers a layer's files can reach: itself and everything
# below it along the arrows.
function(orvex_layers_seen_by layer result)
    set(seen ${layer})
    foreach(used IN LISTS ORVEX_LAYER_USES_${layer})
        orvex_layers_seen_by(${used} below)
        list(APPEND seen ${below})
    endforeach()
    list(REMOVE_DUPLICATES seen)
    set(${result} ${seen} PARENT_SCOPE)
endfunction()

# Makes <root>/<layer> a link to src/<layer>, replacing a link that points
# elsewhere (a moved source tree). Sets result to true when the link is there.
function(orvex_link_layer root layer result)
    set(link ${root}/${layer})
    set(target ${PROJECT_SOURCE_DIR}/src/${layer})
    if(IS_SYMLINK ${link})
        file(READ_SYMLINK ${link} current)
        if(current STREQUAL target)
            set(${result} TRUE PARENT_SCOPE)
            return()
        endif()
        file(REMOVE ${link})
    endif()
    file(CREATE_LINK ${target} ${link} RESULT status SYMBOLIC)
    if(status EQUAL 0)
        set(${result} TRUE PARENT_SCOPE)
    else()
        set(${result} FALSE PARENT_SCOPE)
    endif()
endfunction()

# Gives the layer's library target its include root, public for the build
# tree only; the installed package names its own header root (Install.cmake).
# Where the file system makes no links (Windows without the privilege), the
# root is the whole source folder, as if unguarded, and the include check
# alone keeps the arrows. ORVEX_LAYER_ROOTS_LINKED tells which it was.
function(orvex_layer_include_root layer)
    set(root ${PROJECT_BINARY_DIR}/layers/${layer})
    file(MAKE_DIRECTORY ${root})
    orvex_layers_seen_by(${layer} seen)
    set(linked TRUE)
    foreach(other IN LISTS ORVEX_LAYERS)
        if(other IN_LIST seen)
            orvex_link_layer(${root} ${other} ok)
            if(NOT ok)
                set(linked FALSE)
            endif()
        elseif(IS_SYMLINK ${root}/${other})
            # A layer it saw under an earlier set of arrows.
            file(REMOVE ${root}/${other})
        endif()
    endforeach()
    if(NOT linked)
        message(STATUS "No links for the ${layer} layer's include root: it sees all of src/")
        set(root ${PROJECT_SOURCE_DIR}/src)
        set_property(GLOBAL PROPERTY ORVEX_LAYER_ROOTS_LINKED FALSE)
    endif()
    set_property(TARGET ${layer} PROPERTY ORVEX_INCLUDE_ROOT ${root})
    target_include_directories(${layer} PUBLIC $<BUILD_INTERFACE:${root}>)
endfunction()

set_property(GLOBAL PROPERTY ORVEX_LAYER_ROOTS_LINKED TRUE)
