set(LUMOR_LIBRARY_SOURCES
  src/library/library_entry.cpp
  src/library/component_library.cpp)
set(LUMOR_LIBRARY_UI_SOURCES)
set(LUMOR_LIBRARY_TESTS)
set(LUMOR_LIBRARY_UI_TESTS)
