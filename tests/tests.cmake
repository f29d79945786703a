# The test programs, one per layer, each listing its test files by subject. CTest runs every
# test of every program; one test: ctest --test-dir build-test -R <name>, or the program
# itself with --gtest_filter=<Suite.Name> (the windows' tests need QT_QPA_PLATFORM=offscreen).
# GoogleTest installed, or built here from its sources (LUMOR_GTEST_SOURCE, Debian's package
# googletest puts them in /usr/src/googletest): a cross build finds no installed one.
set(LUMOR_GTEST_SOURCE "" CACHE PATH "GoogleTest's sources, built with the tests instead of an installed GoogleTest")
if(LUMOR_GTEST_SOURCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${LUMOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)  # GoogleTest 1.11 and later name them so themselves
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The core: no Qt at all.
add_executable(lumor_core_tests
  tests/core/text_tests.cpp
  tests/core/typed_input_tests.cpp
  tests/core/bad_input_tests.cpp
  tests/core/route_tests.cpp
  tests/core/route_rules_tests.cpp
  tests/core/library_tests.cpp
  tests/core/library_csv_tests.cpp
  tests/core/library_rules_tests.cpp
  tests/core/library_to_route_tests.cpp
  tests/core/eval_evaluation_tests.cpp
  tests/core/eval_drawing_tests.cpp
  tests/core/report_tests.cpp
  tests/core/conclusion_tests.cpp
  tests/core/about_tests.cpp
  tests/core/assignment_tests.cpp)
target_link_libraries(lumor_core_tests PRIVATE lumor_test_support GTest::gtest GTest::gtest_main lumor_warnings)
# The saves' system calls differ: POSIX's and Windows' own cases. On Windows also the proof
# that the core's headers live beside <windows.h>, whose macros include LoadLibrary.
if(WIN32)
  target_sources(lumor_core_tests PRIVATE tests/core/file_io_win32_tests.cpp tests/core/windows_h_tests.cpp)
else()
  target_sources(lumor_core_tests PRIVATE tests/core/file_io_tests.cpp)
endif()
if(CMAKE_CROSSCOMPILING)
  # One run of the whole program under the emulator (Wine), not one per test.
  add_test(NAME lumor_core_tests COMMAND lumor_core_tests)
else()
  gtest_discover_tests(lumor_core_tests DISCOVERY_TIMEOUT 60)
endif()

if(LUMOR_CORE_ONLY)
  return()
endif()

# The gui layer: pictures painted and saved with Qt Gui alone, no widgets.
add_executable(lumor_gui_tests
  tests/gui/gui_test_main.cpp
  tests/gui/graph_pictures_tests.cpp)
target_link_libraries(lumor_gui_tests PRIVATE lumor_gui lumor_test_support GTest::gtest lumor_warnings)
gtest_discover_tests(lumor_gui_tests DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The windows, offscreen, driven through the scripted desk.
add_executable(lumor_ui_tests
  tests/support/ui/ui_test_main.cpp
  tests/ui/main_window_tests.cpp
  tests/ui/draw_and_report_tests.cpp
  tests/ui/golden_report_tests.cpp
  tests/ui/library_window_tests.cpp
  tests/ui/component_editor_tests.cpp
  tests/ui/keyboard_tests.cpp)
target_link_libraries(lumor_ui_tests PRIVATE lumor_ui_test_support GTest::gtest lumor_warnings)
target_compile_definitions(lumor_ui_tests PRIVATE LUMOR_GOLDEN_DIR="${CMAKE_SOURCE_DIR}/tests/golden")
add_dependencies(lumor_ui_tests lumor_report_folder)
gtest_discover_tests(lumor_ui_tests DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# lumor-cli run as a separate process, and the standard library it builds.
add_executable(lumor_cli_tests
  tests/cli/cli_tests.cpp
  tests/cli/standard_library_tests.cpp
  tests/cli/route_commands_tests.cpp
  tests/cli/assignment_command_tests.cpp)
target_link_libraries(lumor_cli_tests PRIVATE lumor_test_support GTest::gtest GTest::gtest_main lumor_warnings)
target_compile_definitions(lumor_cli_tests PRIVATE
  LUMOR_CLI_PATH="$<TARGET_FILE:lumor-cli>"
  LUMOR_STANDARD_LIBRARY_PATH="${LUMOR_STANDARD_LIBRARY}"
  LUMOR_STANDARD_LIBRARY_CSV_PATH="${LUMOR_STANDARD_LIBRARY_CSV}"
  LUMOR_REPORT_LOGO_SOURCE="${CMAKE_SOURCE_DIR}/assets/ORV.gif")
add_dependencies(lumor_cli_tests lumor-cli lumor_standard_library)
gtest_discover_tests(lumor_cli_tests DISCOVERY_TIMEOUT 60)

# A route drawn and reported in the real windows and with the built tool: both write the same.
add_executable(lumor_cli_report_tests
  tests/support/ui/ui_test_main.cpp
  tests/cli/report_matches_windows_tests.cpp)
target_link_libraries(lumor_cli_report_tests PRIVATE lumor_ui_test_support GTest::gtest lumor_warnings)
target_compile_definitions(lumor_cli_report_tests PRIVATE LUMOR_CLI_PATH="$<TARGET_FILE:lumor-cli>")
add_dependencies(lumor_cli_report_tests lumor-cli)
gtest_discover_tests(lumor_cli_report_tests DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The layer rule: what each layer includes, no folders including each other in a circle, and
# lumor-cli without Qt Widgets.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME layer_check
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/check-layers.py --binary $<TARGET_FILE:lumor-cli>)
