#include "assignment/assignment.h"
#include "assignment/grading.h"
#include "cli/cli_command.h"
#include "cli/list_file.h"
#include "cli/text_output.h"
#include "library/library_csv.h"
#include "text/text_decoding.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace lumor::cli {

namespace {

struct GradeOptions {
    bool csv = false;
    std::string assignmentPath;
    std::vector<std::string> routes;
};

/// One route file of the run: what was loaded and how it was graded.
struct GradedRoute {
    LoadedRoute loaded;
    Grading grading;
    std::string problem;  ///< why the route has no values: unreadable, incomplete, not evaluated
};

std::vector<std::string> header(const Assignment& assignment) {
    // The requirements' captions do not depend on a route: those of an empty one.
    CollectingMessages messages;
    const RouteList none(messages);
    std::vector<std::string> cells{"soubor"};
    for (const RequirementResult& r : gradeRoute(none, assignment).requirements) {
        cells.push_back(r.unit.empty() ? r.name : r.name + " [" + r.unit + "]");
        cells.push_back(r.limitText);
    }
    for (const char* caption : {"verdikt", "stejné trasy", "chyba"}) cells.emplace_back(caption);
    return cells;
}

std::vector<std::string> rowCells(const std::vector<GradedRoute>& graded, const GradeOptions& options, std::size_t i,
                                  const std::vector<std::size_t>& same) {
    const GradedRoute& g = graded[i];
    std::vector<std::string> cells{printableText(options.routes[i])};
    for (const RequirementResult& r : g.grading.requirements) {
        cells.push_back(r.valueText);
        cells.push_back(r.valueText.empty() ? "" : r.met ? "splněno" : "nesplněno");
    }
    cells.emplace_back(g.grading.passed ? "splněno" : "nesplněno");
    std::string others;
    for (std::size_t j : same) others += (others.empty() ? "" : ", ") + printableText(options.routes[j]);
    cells.push_back(others);
    cells.push_back(printableText(g.problem));
    return cells;
}

int runGrade(CommandContext& context, const GradeOptions& options) {
    const AssignmentFile file = readAssignmentFile(options.assignmentPath);
    if (!file.assignment) {
        reportFailure(context, "zadání „" + options.assignmentPath + "“ nelze použít: " + file.problem);
        return kExitRefused;
    }
    if (!file.encoding.empty()) {
        reportFailure(context,
                      "varování: „" + options.assignmentPath + "“ není v kódování UTF-8, čte se jako " + file.encoding);
    }
    const Assignment& assignment = *file.assignment;

    std::vector<GradedRoute> graded;
    std::vector<const RouteList*> lists;
    CollectingMessages quiet;
    const RouteList unread(quiet);  // what a file that could not be read is graded as: no values
    for (const auto& path : options.routes) {
        GradedRoute g{loadRouteFile(path), {}, {}};
        for (const auto& w : g.loaded.warnings) reportFailure(context, "varování: „" + path + "“: " + w);
        g.grading = gradeRoute(g.loaded.list ? *g.loaded.list : unread, assignment);
        g.problem = g.loaded.list ? g.grading.problem.value_or("") : g.loaded.failure;
        lists.push_back(g.loaded.list.get());
        graded.push_back(std::move(g));
    }
    const auto same = identicalRoutes(lists);

    std::vector<std::vector<std::string>> rows;
    bool allGraded = true;
    std::size_t passed = 0;
    for (std::size_t i = 0; i < graded.size(); ++i) {
        allGraded = allGraded && graded[i].problem.empty();
        passed += graded[i].grading.passed ? 1 : 0;
        rows.push_back(rowCells(graded, options, i, same[i]));
    }
    const std::vector<std::string> captions = header(assignment);
    std::string text;
    if (options.csv) {
        text = csvLine(captions);
        for (const auto& row : rows) text += csvLine(row);
    } else {
        if (!assignment.title.empty()) text = "Zadání: " + printableText(assignment.title) + "\n\n";
        // The values right, the verdicts and texts left.
        std::vector<Align> align(captions.size(), Align::Left);
        for (std::size_t c = 1; c + 3 < captions.size(); c += 2) align[c] = Align::Right;
        text += textTable(captions, align, rows);
        text += "\nZadání splnilo " + std::to_string(passed) + " z " + std::to_string(rows.size()) +
                (rows.size() == 1 ? " trasy.\n" : " tras.\n");
    }
    if (writeOutput(context, text) != kExitSuccess) return kExitRefused;
    return allGraded ? kExitSuccess : kExitRefused;
}

}  // namespace

void addAssignmentCommands(CLI::App& root, CommandContext& context) {
    auto options = std::make_shared<GradeOptions>();
    CLI::App* grade = root.add_subcommand(
        "hodnoceni", "Ohodnotí optické trasy (*.trasa) podle zadání učitele (*.zadani) a najde stejné trasy.");
    grade->add_flag("--csv", options->csv, "místo tabulky vypíše CSV (UTF-8, pole odděluje ';')");
    grade->add_option("ZADANI.zadani", options->assignmentPath, "soubor zadání s požadavky na trasu")->required();
    grade->add_option("ROUTE.trasa", options->routes, "soubory tras k ohodnocení, v tomto pořadí")->required();
    grade->footer(
        "Příklady:\n"
        "  lumor-cli hodnoceni uloha3.zadani skupina3/*.trasa\n"
        "  lumor-cli hodnoceni --csv uloha3.zadani skupina3/*.trasa > hodnoceni.csv\n\n"
        "Zadání je soubor TOML (UTF-8), např.:\n"
        "  nazev = \"Úloha 3: dálková trasa\"\n"
        "  [pozadavky]\n"
        "  delka_min_km = 80          # součet délek vláken\n"
        "  delka_max_km = 120\n"
        "  rezerva_min_db = 3         # úroveň na detektoru minus jeho citlivost\n"
        "  rychlost_min_gbit_s = 2.5  # odhad nejvyšší přenosové rychlosti\n"
        "  zesilovacu_max = 1\n"
        "  komponent_max = 12\n"
        "Každý požadavek je nepovinný; čísla se v zadání píší s desetinnou tečkou.\n\n"
        "Jeden řádek na trasu, v zadaném pořadí: pro každý požadavek zadání hodnota trasy\n"
        "a splněno/nesplněno, pak\n"
        "  verdikt       splněno, když trasa splňuje všechny požadavky\n"
        "  stejné trasy  ostatní trasy tohoto běhu se stejnými komponentami (typy, označení\n"
        "                a hodnoty včetně délek ve stejném pořadí; poznámka se nesrovnává)\n"
        "  chyba         proč trasa nemá hodnoty (nelze ji přečíst, není úplná…)\n"
        "Hodnoty se posuzují, jak je program ukazuje: délka a rezerva na setiny, rychlost\n"
        "na tři platné číslice.\n\n"
        "Návratový kód: 0 všechny trasy přečteny a vyhodnoceny (ať splňují zadání, nebo ne),\n"
        "1 některá ne nebo zadání nelze použít, 2 chybný příkazový řádek.");
    grade->callback(
        [&context, options] { context.action = [&context, options] { return runGrade(context, *options); }; });
}

}  // namespace lumor::cli
