set(LUMOR_TEXT_SOURCES
  src/text/cp1250.cpp
  src/text/numbers.cpp
  src/text/string_grid.cpp
  src/text/slot_image.cpp
  src/text/file_io.cpp)
set(LUMOR_TEXT_TESTS
  tests/core/text_tests.cpp)
