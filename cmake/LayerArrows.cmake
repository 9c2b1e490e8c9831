# The layers under src/ and, for each, the layers its files may include
# directly. A layer always includes its own folder. main.cpp, which puts the
# program together, may include any layer.
#
# Read by the build (Layers.cmake) and by the include check
# (CheckLayerIncludes.cmake), so that both keep the same arrows.
set(ORVEX_LAYERS platform formatting cmdline exprengine frontend)
set(ORVEX_LAYER_USES_platform "")
set(ORVEX_LAYER_USES_formatting platform)
set(ORVEX_LAYER_USES_cmdline platform formatting)
set(ORVEX_LAYER_USES_exprengine formatting)
set(ORVEX_LAYER_USES_frontend platform formatting cmdline exprengine)
set(ORVEX_LAYER_USES_main ${ORVEX_LAYERS})
