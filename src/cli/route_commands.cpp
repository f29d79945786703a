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

/// The route as CSV, one row per component: what the main window's table shows, turned so
/// that a spreadsheet reads it.
std::string routeCsvText(const RouteList& route) {
    std::vector<std::string> fields;
    for (ComponentSlot s : kComponentSlots) {
        fields.push_back(routeRowCaptions()[static_cast<std::size_t>(s)]);
    }
    std::string text = csvLine(fields);
    for (int k = 1; k <= route.count(); ++k) {
        fields.clear();
        for (ComponentSlot s : kComponentSlots) fields.push_back(SlotText(route.at(k), s));
        text += csvLine(fields);
    }
    return text;
}

int runRouteExport(CommandContext& context, const RouteExportOptions& options) {
    LoadedRoute loaded = loadRouteFile(options.routePath);
    if (!loaded.list) {
        reportFailure(context, "„" + options.routePath + "“: " + loaded.failure);
        return kExitRefused;
    }
    for (const auto& w : loaded.warnings) reportFailure(context, "varování: „" + options.routePath + "“: " + w);
    const int written = writeOutput(context, routeCsvText(*loaded.list));
    if (loaded.truncated) {
        reportFailure(context,
                      "„" + options.routePath + "“ má více než 999 komponent; export obsahuje jen prvních 999");
        return kExitRefused;
    }
    return written;
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
        "tabulka programu ('-' tam, kde se hodnota nepoužije). Pole obsahující ';' nebo '\"'\n"
        "je v uvozovkách '\"', uvozovky uvnitř zdvojené. Řídicí znaky se vypíší jako \\x a dvě\n"
        "šestnáctkové číslice (\\x1b, \\x0a pro konec řádku), zpětné lomítko jako \\\\. Stejně\n"
        "jako program čte export celé komponenty souboru po 2816 bajtech, nejvýš 999; co\n"
        "vynechá, ohlásí na standardní chybový výstup, a má-li soubor víc než 999 komponent,\n"
        "skončí s návratovým kódem 1.");
    exportCommand->callback(
        [&context, options] { context.action = [&context, options] { return runRouteExport(context, *options); }; });
}

}  // namespace lumor::cli
