# What the tests share: the recording canvas, the recording messages and the route builders;
# for the windows, the scripted desk and the fixture that starts the eight windows.
add_library(lumor_test_support STATIC tests/support/recording_canvas.cpp)
target_include_directories(lumor_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(lumor_test_support PUBLIC lumor_core PRIVATE lumor_warnings)
set_target_properties(lumor_test_support PROPERTIES AUTOMOC OFF)

if(NOT LUMOR_CORE_ONLY)
  # Qt Test types and clicks into the windows as a user does (QTest::keyClicks, mouseClick).
  find_package(Qt6 REQUIRED COMPONENTS Test)
  add_library(lumor_ui_test_support STATIC tests/support/ui/scripted_desk.cpp)
  target_include_directories(lumor_ui_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/support/ui)
  target_link_libraries(lumor_ui_test_support PUBLIC lumor_ui lumor_test_support Qt6::Test PRIVATE lumor_warnings)
endif()
