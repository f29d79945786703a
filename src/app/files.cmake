# The state the windows share, the about text and the guide; in ui/ start-up, the main window,
# the student and fibre-length dialogs and the help window.
target_sources(lumor_core PRIVATE
  src/app/about.cpp
  src/app/help.cpp)
if(NOT LUMOR_CORE_ONLY)
  target_sources(lumor_ui PRIVATE
    src/app/ui/forms.cpp
    src/app/ui/main_window.cpp
    src/app/ui/student_dialog.cpp
    src/app/ui/length_dialog.cpp
    src/app/ui/help_window.cpp
    src/app/ui/main_window.ui
    src/app/ui/student_dialog.ui
    src/app/ui/length_dialog.ui
    src/app/ui/help_window.ui)
endif()
