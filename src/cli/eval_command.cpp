#include "cli/cli_command.h"
#include "cli/list_file.h"
#include "cli/text_output.h"
#include "eval/link_verdict.h"
#include "eval/route_evaluation.h"
#include "library/library_csv.h"
#include "route/route_rules.h"
#include "text/cp1250.h"
#include "text/numbers.h"
#include "text/text_decoding.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cmath>
#include <exception>
#include <memory>
#include <optional>
#include <ostream>

namespace lumor::cli {

namespace {

struct EvalOptions {
    bool csv = false;
    std::vector<std::string> routes;
};

/// The end values of one evaluated route, as the draw command computes them.
struct EndValues {
    double fibreLength = 0;     ///< km
    double endAttenuation = 0;  ///< dB
    double sensitivity = 0;     ///< dB, the detector's
    double endCd = 0;           ///< ns
    double endPmd = 0;          ///< ps
};

/// One route file's line of the output.
struct EvalRow {
    std::string file;
    std::optional<bool> complete;     ///< unknown when the file could not be read
    std::optional<EndValues> values;  ///< only when the route evaluated
    std::string problem;              ///< why there are no values, in Czech
};

/// How far the signal at the end of the route stays above the detector's sensitivity
/// (negative: the detector does not see it).
double margin(const EndValues& v) { return v.endAttenuation - v.sensitivity; }

/// What the draw command does with the route before it draws: the completeness test of the
/// main window, the refusal of negative lengths, then attenuation, CD and PMD in this order,
/// so a route fails here exactly where the draw would fail.
EvalRow evaluateRouteFile(CommandContext& context, const std::string& path) {
    EvalRow row;
    row.file = path;
    LoadedRoute loaded = loadRouteFile(path);
    for (const auto& w : loaded.warnings) reportFailure(context, "varování: „" + path + "“: " + w);
    if (!loaded.list) {
        row.problem = loaded.failure;
        return row;
    }
    const RouteList& route = *loaded.list;
    const auto incomplete = incompleteRouteReason(route);
    row.complete = !incomplete;
    if (incomplete) {
        row.problem = *incomplete;
        return row;
    }
    try {
        checkFibreLengths(route);
        const RouteProfiles profiles = EvaluateRoute(route);
        const EndValues v{profiles.FibreLength, profiles.EndAttenuation, profiles.sensitivity, profiles.EndCd,
                          profiles.EndPmd};
        // Every number of the line is finite, the margin's subtraction included, or the route
        // gets the reason instead of an "INF".
        const std::array<std::pair<double, const char*>, 6> shown = {{{v.fibreLength, "délka vláken"},
                                                                      {v.endAttenuation, "útlum na konci"},
                                                                      {v.sensitivity, "citlivost"},
                                                                      {margin(v), "rezerva"},
                                                                      {v.endCd, "CD na konci"},
                                                                      {v.endPmd, "PMD na konci"}}};
        for (const auto& [value, name] : shown) {
            if (!std::isfinite(value)) {
                row.problem = std::string("Hodnota „") + name + "“ přesahuje rozsah čísel, trasu nelze vyhodnotit";
                return row;
            }
        }
        row.values = v;
    } catch (const std::exception& e) {
        row.problem = e.what();
    }
    return row;
}

const std::vector<std::string>& evalHeader() {
    static const std::vector<std::string> header = {
        "soubor",         "úplná",        "délka vláken [km]",      "útlum na konci [dB]",
        "citlivost [dB]", "rezerva [dB]", "CD na konci [ns]",       "PMD na konci [ps]",
        "chyba",          "verdikt",      "max. rychlost [Gbit/s]", "omezuje"};
    return header;
}

/// The text with every byte that is not UTF-8 replaced by U+FFFD.
std::string wellFormed(std::string_view text) {
    std::string out;
    for (char32_t c : utf8ToCodePoints(text)) appendUtf8(out, c);
    return out;
}

std::vector<std::string> rowCells(const EvalRow& row, bool csv) {
    // The file name as given, but with bytes that are not UTF-8 replaced and its control
    // characters escaped: the table goes to a terminal, the CSV (which escapes them itself) is UTF-8.
    const auto shown = [csv](const std::string& text) { return csv ? wellFormed(text) : printableText(text); };
    std::vector<std::string> cells{shown(row.file), row.complete ? (*row.complete ? "ano" : "ne") : ""};
    if (row.values) {
        const EndValues& v = *row.values;
        for (double value : {v.fibreLength, v.endAttenuation, v.sensitivity, margin(v), v.endCd, v.endPmd}) {
            cells.push_back(NumberText(value));
        }
    } else {
        cells.resize(8);
    }
    cells.push_back(shown(row.problem));
    // The verdict and the bit rate the dispersion allows come after the columns spreadsheets
    // already know.
    if (row.values) {
        const EndValues& v = *row.values;
        const LinkVerdict verdict = linkVerdict(v.endAttenuation, v.sensitivity, v.endCd, v.endPmd);
        cells.push_back(verdict.received ? "zachytí" : "pod citlivostí");
        cells.push_back(verdict.bitRate ? NumberText(*verdict.bitRate * 1e-9) : "");
        cells.push_back(verdict.limit == RateLimit::Cd ? "CD" : verdict.limit == RateLimit::Pmd ? "PMD" : "");
    }
    cells.resize(evalHeader().size());  // every row has every column, empty where there is no value
    return cells;
}

int runEval(CommandContext& context, const EvalOptions& options) {
    std::vector<std::vector<std::string>> cells;
    bool allEvaluated = true;
    for (const auto& path : options.routes) {
        const EvalRow row = evaluateRouteFile(context, path);
        allEvaluated = allEvaluated && row.values.has_value();
        cells.push_back(rowCells(row, options.csv));
    }
    std::string text;
    if (options.csv) {
        text = csvLine(evalHeader());
        for (const auto& c : cells) text += csvLine(c);
    } else {
        using enum Align;
        text = textTable(evalHeader(), {Left, Left, Right, Right, Right, Right, Right, Right, Left, Left, Right, Left},
                         cells);
    }
    if (writeOutput(context, text) != kExitSuccess) return kExitRefused;
    return allEvaluated ? kExitSuccess : kExitRefused;
}

}  // namespace

void addEvalCommands(CLI::App& root, CommandContext& context) {
    auto options = std::make_shared<EvalOptions>();
    CLI::App* eval = root.add_subcommand(
        "eval", "Vyhodnotí optické trasy (*.trasa) jako příkaz Vykresli grafy a vypíše jejich koncové hodnoty.");
    eval->add_flag("--csv", options->csv, "místo tabulky vypíše CSV (UTF-8, pole odděluje ';')");
    eval->add_option("ROUTE.trasa", options->routes, "soubory tras k vyhodnocení, v tomto pořadí")->required();
    eval->footer(
        "Příklady:\n"
        "  lumor-cli eval novak.trasa svoboda.trasa\n"
        "  lumor-cli eval --csv skupina3/*.trasa > vysledky.csv\n\n"
        "Jeden řádek na trasu, v zadaném pořadí, se sloupci\n"
        "  soubor                  jméno souboru, jak bylo zadáno (řídicí znaky jako \\x1b,\n"
        "                          bajty, které nejsou UTF-8, jako U+FFFD)\n"
        "  úplná                   ano/ne: trasa začíná zdrojem a končí detektorem\n"
        "  délka vláken [km]       součet délek vláken\n"
        "  útlum na konci [dB]     úroveň signálu na konci trasy\n"
        "  citlivost [dB]          citlivost detektoru\n"
        "  rezerva [dB]            úroveň na konci minus citlivost (záporná: signál je slabý)\n"
        "  CD na konci [ns]        chromatická disperze na konci trasy\n"
        "  PMD na konci [ps]       polarizační vidová disperze na konci trasy\n"
        "  chyba                   proč trasa nemá hodnoty\n"
        "  verdikt                 zachytí / pod citlivostí: zda detektor signál zachytí\n"
        "  max. rychlost [Gbit/s]  odhad nejvyšší přenosové rychlosti, kterou disperze dovolí\n"
        "  omezuje                 CD nebo PMD: která disperze rychlost omezuje\n"
        "Odhad rychlosti: chromatická disperze omezuje rychlost na B <= 1 / (4 * CD na konci),\n"
        "polarizační vidová disperze na B <= 0,1 / PMD na konci; nulová hodnota rychlost\n"
        "neomezuje a platí nižší z obou mezí.\n"
        "Čísla mají desetinnou čárku a nejsou zaokrouhlena. Trasa, kterou nelze přečíst, která\n"
        "není úplná (\"Trasa není úplná\") nebo kterou nelze vyhodnotit, dostane svůj řádek\n"
        "s důvodem a ostatní trasy se vypíší také; stejně tak trasa, jejíž hodnoty nebo\n"
        "rezerva leží mimo rozsah čísel.\n\n"
        "Návratový kód: 0 všechny trasy vyhodnoceny, 1 některá ne, 2 chybný příkazový řádek.");
    eval->callback(
        [&context, options] { context.action = [&context, options] { return runEval(context, *options); }; });
}

}  // namespace lumor::cli
