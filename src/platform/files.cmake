# The layer over Qt: in gui/ what paints pictures without a window, in ui/ the desk (message
# boxes, dialogs, modal windows, the viewer), grid and image views, icons and input filters.
# The icons are SVG files read through Qt Svg. A Qt without it (the Windows build from Debian's
# sources, scripts/build-windows.sh) gets a resource file of the same names holding PNG
# renderings: Qt then reads them by their content.
set(LUMOR_ICONS_QRC "${CMAKE_SOURCE_DIR}/assets/icons/icons.qrc" CACHE FILEPATH
  "Resource file of the icons (:/icons/<name>.svg)")
if(NOT LUMOR_CORE_ONLY)
  target_sources(lumor_gui PRIVATE
    src/platform/gui/executable_folder.cpp)
  target_sources(lumor_ui PRIVATE
    src/platform/ui/access.cpp
    src/platform/ui/commands.cpp
    src/platform/ui/desk.cpp
    src/platform/ui/qt_desk.cpp
    src/platform/ui/grid_view.cpp
    src/platform/ui/icons.cpp
    src/platform/ui/image_view.cpp
    src/platform/ui/input_filter.cpp
    src/platform/ui/translation.cpp
    ${LUMOR_ICONS_QRC})
endif()
