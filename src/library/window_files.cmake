set(LUMOR_LIBRARY_WINDOW_CORE_SOURCES)
set(LUMOR_LIBRARY_WINDOW_UI_SOURCES
  src/library/library_window.cpp
  src/library/component_editor.cpp)
set(LUMOR_LIBRARY_WINDOW_TESTS)
set(LUMOR_LIBRARY_WINDOW_UI_TESTS)
