find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(lumor_core_tests
  ${LUMOR_TEXT_TESTS} ${LUMOR_ROUTE_TESTS} ${LUMOR_LIBRARY_TESTS} ${LUMOR_EVAL_TESTS}
  ${LUMOR_REPORT_TESTS} ${LUMOR_APP_TESTS} ${LUMOR_LIBRARY_WINDOW_TESTS})
target_link_libraries(lumor_core_tests PRIVATE lumor_test_support GTest::gtest GTest::gtest_main lumor_warnings)
gtest_discover_tests(lumor_core_tests DISCOVERY_TIMEOUT 60)

set(LUMOR_UI_TEST_SOURCES ${LUMOR_APP_UI_TESTS} ${LUMOR_EVAL_UI_TESTS} ${LUMOR_LIBRARY_UI_TESTS}
  ${LUMOR_LIBRARY_WINDOW_UI_TESTS})
if(LUMOR_UI_TEST_SOURCES)
  add_executable(lumor_ui_tests tests/support/ui/ui_test_main.cpp ${LUMOR_UI_TEST_SOURCES})
  target_link_libraries(lumor_ui_tests PRIVATE lumor_ui_test_support GTest::gtest lumor_warnings)
  add_dependencies(lumor_ui_tests lumor_report_folder)
  target_compile_definitions(lumor_ui_tests PRIVATE LUMOR_GOLDEN_DIR="${CMAKE_SOURCE_DIR}/tests/golden")
  gtest_discover_tests(lumor_ui_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
