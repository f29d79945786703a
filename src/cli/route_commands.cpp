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
    const TextTable& grid = route;
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
    CLI::App* routeCommand = root.add_subcommand("route", "Práce se soubory optických tras (*.trasa).");
    routeCommand->require_subcommand(1);
    routeCommand->footer("Příklad:\n  lumor-cli route export novak.trasa > novak.csv");

    auto options = std::make_shared<RouteExportOptions>();
    CLI::App* exportCommand =
        routeCommand->add_subcommand("export", "Vypíše komponenty optické trasy jako CSV na standardní výstup.");
    exportCommand->add_option("ROUTE.trasa", options->routePath, "soubor trasy ke čtení")->required();
    exportCommand->footer(
        "Příklad:\n  lumor-cli route export novak.trasa > novak.csv\n\n"
        "Formát CSV: UTF-8, pole odděluje ';', řádky končí LF. První řádek nese popisky řádků\n"
        "tabulky trasy:\n"
        "  typ;označení;vlnová délka [nm];útlum [dB];zisk [dB];rms spek. zdroje [nm];"
        "PMD [ps/(km^0,5)];CD [ps/(km.nm)];délka vlákna [km];citlivost [dB];poznámka\n"
        "a za ním jeden řádek na komponentu, od zdroje k detektoru, s texty, které ukazuje\n"
        "tabulka programu ('-' tam, kde se hodnota nepoužije). Pole obsahující ';', '\"' nebo\n"
        "konec řádku je v uvozovkách '\"', uvozovky uvnitř zdvojené. Stejně jako program čte\n"
        "export celé komponenty souboru po 2816 bajtech, nejvýš 999; co vynechá, ohlásí na\n"
        "standardní chybový výstup.");
    exportCommand->callback(
        [&context, options] { context.action = [&context, options] { return runRouteExport(context, *options); }; });
}

}  // namespace lumor::cli
