# The state the windows share and the about text; in ui/ start-up, the main window, the student
# and fibre-length dialogs.
target_sources(lumor_core PRIVATE
  src/app/about.cpp)
if(NOT LUMOR_CORE_ONLY)
  target_sources(lumor_ui PRIVATE
    src/app/ui/forms.cpp
    src/app/ui/main_window.cpp
    src/app/ui/student_dialog.cpp
    src/app/ui/length_dialog.cpp
    src/app/ui/main_window.ui
    src/app/ui/student_dialog.ui
    src/app/ui/length_dialog.ui)
endif()
