# lumor-cli: the command-line tool, core only (no Qt).
find_package(CLI11 CONFIG REQUIRED)

set(LUMOR_CLI_SOURCES
  src/cli/main.cpp
  src/cli/cli_app.cpp
  src/cli/input_file.cpp
  src/cli/library_commands.cpp)
add_executable(lumor-cli ${LUMOR_CLI_SOURCES})
target_link_libraries(lumor-cli PRIVATE lumor_core CLI11::CLI11 lumor_warnings)
set_target_properties(lumor-cli PROPERTIES AUTOMOC OFF)

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
    tests/cli/standard_library_tests.cpp)
  target_include_directories(lumor_cli_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/core)
  target_link_libraries(lumor_cli_tests PRIVATE lumor_core GTest::gtest GTest::gtest_main
    lumor_warnings)
  set_target_properties(lumor_cli_tests PROPERTIES AUTOMOC OFF)
  target_compile_definitions(lumor_cli_tests PRIVATE
    LUMOR_CLI_PATH="$<TARGET_FILE:lumor-cli>"
    LUMOR_STANDARD_LIBRARY_PATH="${LUMOR_STANDARD_LIBRARY}"
    LUMOR_STANDARD_LIBRARY_CSV_PATH="${LUMOR_STANDARD_LIBRARY_CSV}")
  add_dependencies(lumor_cli_tests lumor-cli lumor_standard_library)
  gtest_discover_tests(lumor_cli_tests DISCOVERY_TIMEOUT 60)
endif()
