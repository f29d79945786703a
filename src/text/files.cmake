# Text, numbers, the string grid, slots and files: what every subsystem stands on.
target_sources(lumor_core PRIVATE
  src/text/cp1250.cpp
  src/text/numbers.cpp
  src/text/text_table.cpp
  src/text/slot_image.cpp
  src/text/file_io.cpp
  src/text/read_file.cpp
  src/text/text_decoding.cpp
  src/text/command_line.cpp
  src/text/typed_input.cpp
  src/text/text_search.cpp)
# Windows: the system's calls in files of their own, so that <windows.h> meets no other code.
if(WIN32)
  target_sources(lumor_core PRIVATE src/text/command_line_win32.cpp)
  target_link_libraries(lumor_core PUBLIC shell32)
endif()
