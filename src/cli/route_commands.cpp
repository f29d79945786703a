#include "cli/cli_command.h"
#include "cli/list_file.h"
#include "cli/text_output.h"
#include "library/library_csv.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace lumor::cli {

namespace {

struct RouteExportOptions {
    std::string routePath;
};

/// The route grid as CSV, one row per component: what the main window's table shows,
/// turned so that a spreadsheet reads it.
std::string routeCsvText(const RouteList& route) {
    const StringGrid& grid = route.grid();
    auto column = [&](int k) {
        std::vector<std::string> fields;
        for (ComponentSlot s : kComponentSlots) fields.push_back(grid.cell(k, gridRow(s)));
        return fields;
    };
    std::string text = csvLine(column(0));  // the captions
    for (int k = 1; k <= route.count(); ++k) text += csvLine(column(k));
    return text;
}

int runRouteExport(CommandContext& context, const RouteExportOptions& options) {
    LoadedRoute loaded = loadRouteFile(options.routePath);
    if (!loaded.list) {
        reportFailure(context, "„" + options.routePath + "“: " + loaded.failure);
        return kExitRefused;
    }
    for (const auto& w : loaded.warnings) reportFailure(context, "varování: „" + options.routePath + "“: " + w);
    const std::string csv = routeCsvText(*loaded.list);
    return writeOutput(context, csv);
}

}  // namespace

void addRouteCommands(CLI::App& root, CommandContext& context) {
    CLI::App* routeCommand = root.add_subcommand("route", "Work with route files (*.trasa).");
    routeCommand->require_subcommand(1);
    routeCommand->footer("Example:\n  lumor-cli route export novak.trasa > novak.csv");

    auto options = std::make_shared<RouteExportOptions>();
    CLI::App* exportCommand =
        routeCommand->add_subcommand("export", "Write a route file's components as CSV to standard output.");
    exportCommand->add_option("ROUTE.trasa", options->routePath, "route file to read")->required();
    exportCommand->footer(
        "Example:\n  lumor-cli route export novak.trasa > novak.csv\n\n"
        "CSV format: UTF-8, ';' between fields, lines ending in LF. The first row holds the\n"
        "captions of the route table's rows:\n"
        "  typ;označení;vlnová délka [nm];útlum [dB];zisk [dB];rms spek. zdroje [nm];"
        "PMD [ps/(km^0,5)];CD [ps/(km.nm)];délka vlákna [km];citlivost [dB];poznámka\n"
        "then one row per component, from the source to the detector, with the texts the\n"
        "program's table shows ('-' where a value does not apply). A field holding ';', '\"'\n"
        "or a line break is quoted with '\"', quotes inside doubled. Like the program, the\n"
        "export reads the file's whole 2816-byte components, at most 999; anything left out\n"
        "is reported on standard error.");
    exportCommand->callback(
        [&context, options] { context.action = [&context, options] { return runRouteExport(context, *options); }; });
}

}  // namespace lumor::cli
