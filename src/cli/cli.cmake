# lumor-cli: the command-line tool. The report command paints the graphs with Qt (offscreen),
# so the tool links the windows' library; it has no window of its own.
find_package(CLI11 CONFIG REQUIRED)

set(LUMOR_CLI_SOURCES
  src/cli/main.cpp
  src/cli/cli_app.cpp
  src/cli/input_file.cpp
  src/cli/route_file.cpp
  src/cli/text_output.cpp
  src/cli/report_inputs.cpp
  src/cli/library_commands.cpp
  src/cli/eval_command.cpp
  src/cli/report_command.cpp
  src/cli/route_commands.cpp)
add_executable(lumor-cli ${LUMOR_CLI_SOURCES})
target_link_libraries(lumor-cli PRIVATE lumor_ui CLI11::CLI11 lumor_warnings)
# The report copies the logo from the "Protokol" folder beside the executable.
if(TARGET lumor_report_logo)
  add_dependencies(lumor-cli lumor_report_logo)
endif()

# The standard library beside the executables, built from its readable CSV source.
set(LUMOR_STANDARD_LIBRARY_CSV ${CMAKE_SOURCE_DIR}/data/stdkmp.csv)
set(LUMOR_STANDARD_LIBRARY ${LUMOR_BIN_DIR}/Komponenty/stdkmp.komp)
add_custom_command(
  OUTPUT ${LUMOR_STANDARD_LIBRARY}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMOR_BIN_DIR}/Komponenty
  COMMAND lumor-cli library import ${LUMOR_STANDARD_LIBRARY_CSV} ${LUMOR_STANDARD_LIBRARY}
  DEPENDS ${LUMOR_STANDARD_LIBRARY_CSV} lumor-cli
  COMMENT "Building the standard component library Komponenty/stdkmp.komp"
  VERBATIM)
add_custom_target(lumor_standard_library ALL DEPENDS ${LUMOR_STANDARD_LIBRARY})

if(LUMOR_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  # Runs the built tool and reads the built standard library.
  add_executable(lumor_cli_tests
    tests/cli/cli_tests.cpp
    tests/cli/standard_library_tests.cpp
    tests/cli/route_commands_tests.cpp)
  target_link_libraries(lumor_cli_tests PRIVATE lumor_test_support GTest::gtest GTest::gtest_main
    lumor_warnings)
  set_target_properties(lumor_cli_tests PROPERTIES AUTOMOC OFF)
  target_compile_definitions(lumor_cli_tests PRIVATE
    LUMOR_CLI_PATH="$<TARGET_FILE:lumor-cli>"
    LUMOR_STANDARD_LIBRARY_PATH="${LUMOR_STANDARD_LIBRARY}"
    LUMOR_STANDARD_LIBRARY_CSV_PATH="${LUMOR_STANDARD_LIBRARY_CSV}"
    LUMOR_REPORT_LOGO_SOURCE="${CMAKE_SOURCE_DIR}/assets/ORV.gif")
  add_dependencies(lumor_cli_tests lumor-cli lumor_standard_library)
  gtest_discover_tests(lumor_cli_tests DISCOVERY_TIMEOUT 60)

  # Draws and reports a route in the real windows (offscreen) and with the built tool, and
  # compares what both wrote.
  add_executable(lumor_cli_report_tests
    tests/support/ui/ui_test_main.cpp
    tests/cli/report_matches_windows_tests.cpp)
  target_link_libraries(lumor_cli_report_tests PRIVATE lumor_ui_test_support GTest::gtest lumor_warnings)
  target_compile_definitions(lumor_cli_report_tests PRIVATE
    LUMOR_CLI_PATH="$<TARGET_FILE:lumor-cli>")
  add_dependencies(lumor_cli_report_tests lumor-cli)
  gtest_discover_tests(lumor_cli_report_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
