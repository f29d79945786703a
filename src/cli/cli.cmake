# lumor-cli: the command-line tool. The report command paints the graphs with Qt Gui
# (offscreen); the tool has no window and does not link Qt Widgets.
find_package(CLI11 CONFIG REQUIRED)

set(LUMOR_CLI_SOURCES
  src/cli/main.cpp
  src/cli/cli_app.cpp
  src/cli/list_file.cpp
  src/cli/text_output.cpp
  src/cli/report_inputs.cpp
  src/cli/library_commands.cpp
  src/cli/eval_command.cpp
  src/cli/report_command.cpp
  src/cli/route_commands.cpp
  src/cli/assignment_command.cpp)
add_executable(lumor-cli ${LUMOR_CLI_SOURCES})
lumor_layer_headers(lumor-cli cli cli)
target_link_libraries(lumor-cli PRIVATE lumor_gui CLI11::CLI11 lumor_warnings)
# The report copies the logo from the "Protokol" folder beside the executable.
add_dependencies(lumor-cli lumor_report_logo)
