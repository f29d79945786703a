# The component library: entries, the list and its file, CSV, the rules of the library window
# and the component editor; in ui/ the two windows.
target_sources(lumor_core PRIVATE
  src/library/library_entry.cpp
  src/library/component_library.cpp
  src/library/library_csv.cpp
  src/library/library_rules.cpp
  src/library/entry_check.cpp
  src/library/library_to_route.cpp)
if(NOT LUMOR_CORE_ONLY)
  target_sources(lumor_ui PRIVATE
    src/library/ui/library_window.cpp
    src/library/ui/component_editor.cpp
    src/library/ui/library_window.ui
    src/library/ui/component_editor.ui)
endif()
