set(LUMOR_PLATFORM_SOURCES
  src/platform/desk.cpp
  src/platform/qt_desk.cpp
  src/platform/grid_view.cpp
  src/platform/icons.cpp
  src/platform/image_view.cpp
  src/platform/input_filter.cpp)
