#include "cli/cli_app.h"

#include "cli/cli_command.h"
#include "text/file_io.h"
#include "text/text_decoding.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cerrno>
#include <exception>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace lumor::cli {

namespace {

// Every family of subcommands; a new family is one file and one line here.
constexpr std::array<AddCommandsFn, 5> kCommandFamilies = {&addLibraryCommands, &addEvalCommands, &addReportCommands,
                                                           &addRouteCommands, &addAssignmentCommands};

}  // namespace

void reportFailure(CommandContext& context, const std::string& message) {
    // File names and texts from files are shown whole but can never act on the terminal.
    context.err << "lumor-cli: " << printableText(message) << '\n';
}

int writeOutput(CommandContext& context, const std::string& text) {
    errno = 0;
    context.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    context.out.flush();
    if (!context.out) {
        const int error = errno;  // the system's reason, when the stream's write set one
        reportFailure(context, "zápis na standardní výstup selhal" + (error != 0 ? ": " + czechReason(error) : ""));
        return kExitRefused;
    }
    return kExitSuccess;
}

namespace {

/// "lumor-cli library import": the command's words from the tool's name down.
std::string commandPath(const CLI::App* app) {
    std::string path = app->get_name();
    for (const CLI::App* p = app->get_parent(); p != nullptr; p = p->get_parent()) path = p->get_name() + " " + path;
    return path;
}

/// CLI11's usage errors in Czech, with the way to the command's help.
std::string czechUsageError(const CLI::App* app, const CLI::Error& e) {
    const std::string what = e.what();
    const std::string name = e.get_name();
    const auto after = [&](const std::string& mark) {
        const auto at = what.find(mark);
        return at == std::string::npos ? what : what.substr(at + mark.size());
    };
    std::string text;
    if (name == "RequiredError") {
        const auto at = what.find(" is required");
        text = what.starts_with("A subcommand") ? "chybí příkaz"
               : at == std::string::npos        ? "chybí povinný údaj (" + what + ")"
                                                : "chybí povinný údaj " + what.substr(0, at);
    } else if (name == "ExtrasError" || what.find(" not expected: ") != std::string::npos) {
        text = "nečekaný argument: " + after(": ");
    } else if (name == "ArgumentMismatch") {
        text = "volba nebo argument má špatný počet hodnot (" + what + ")";
    } else if (name == "ConversionError" || name == "ValidationError") {
        text = "chybná hodnota (" + what + ")";
    } else {
        text = "chybný příkazový řádek (" + what + ")";
    }
    // The help of the command that was being read, the innermost one given.
    while (!app->get_subcommands().empty()) app = app->get_subcommands().front();
    return "lumor-cli: " + text + "\nNápověda: " + commandPath(app) + " --help\n";
}

/// A word of the command line that names no command where one is expected ("lumor-cli evla",
/// "lumor-cli library exprot").
struct UnknownCommand {
    std::string word;
    std::string parent;  ///< the command it should be one of: "lumor-cli", "lumor-cli library"
    std::string known;   ///< the commands there are: "import, export"
};

/// The first word of the command line that should name a command and names none, or nothing.
std::optional<UnknownCommand> unknownCommand(CLI::App& app, int argc, const char* const* argv) {
    CLI::App* current = &app;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const auto subcommands = current->get_subcommands([](CLI::App*) { return true; });
        if (word.starts_with("-") || subcommands.empty()) return std::nullopt;
        CLI::App* next = nullptr;
        std::string known;
        for (CLI::App* sub : subcommands) {
            known += (known.empty() ? "" : ", ") + sub->get_name();
            if (sub->get_name() == word) next = sub;
        }
        if (next == nullptr) return UnknownCommand{word, commandPath(current), known};
        current = next;
    }
    return std::nullopt;
}

/// Czech help on a command and all under it: option groups, the help flag, the subcommands' group.
void czechHelp(CLI::App& app) {
    app.set_help_flag("-h,--help", "vypíše tuto nápovědu a skončí");
    for (CLI::Option* option : app.get_options()) {
        if (!option->get_positional()) option->group("Volby");
    }
    for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
        sub->group("Příkazy");
        czechHelp(*sub);
    }
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{
        "Nástroj Lumoru pro příkazový řádek: převádí seznamy komponent, vyhodnocuje optické trasy "
        "a píše protokoly měření bez spuštění programu.",
        "lumor-cli"};
    app.require_subcommand(1);
    // Options are "--out" and the like on every system: CLI11 would take "/x" for an option on
    // Windows, and a path written with forward slashes ("/skola/novak.trasa") would be lost.
    // The commands made below inherit this.
    app.allow_windows_style_options(false);
    // Labels of the help pages and the usage errors in Czech; the commands added below share them.
    const auto formatter = app.get_formatter();
    for (const auto& [key, czech] :
         std::initializer_list<std::pair<const char*, const char*>>{{"Usage", "Použití"},
                                                                    {"OPTIONS", "VOLBY"},
                                                                    {"SUBCOMMAND", "PŘÍKAZ"},
                                                                    {"SUBCOMMANDS", "PŘÍKAZY"},
                                                                    {"Positionals", "Argumenty"},
                                                                    {"REQUIRED", "POVINNÉ"},
                                                                    {"TEXT", "TEXT"},
                                                                    {"Needs", "Vyžaduje"},
                                                                    {"Excludes", "Vylučuje"}}) {
        formatter->label(key, czech);
    }
    app.failure_message(czechUsageError);
    app.footer(
        "Příklady:\n  lumor-cli library import stdkmp.csv Komponenty/stdkmp.komp\n"
        "  lumor-cli eval novak.trasa svoboda.trasa\n"
        "  lumor-cli report novak.trasa --out protokoly/novak --jmeno Jan --prijmeni Novák\n"
        "  lumor-cli route export novak.trasa > novak.csv\n"
        "  lumor-cli hodnoceni uloha3.zadani skupina3/*.trasa\n\n"
        "Návratový kód: 0 úspěch, 1 vstup nelze přečíst nebo byl odmítnut (nebo nelze zapsat\n"
        "výstup), 2 chybný příkazový řádek. Podrobnosti o příkazu: lumor-cli PŘÍKAZ --help.");

    CommandContext context{out, err, {}};
    for (AddCommandsFn add : kCommandFamilies) add(app, context);
    czechHelp(app);

    if (const auto unknown = unknownCommand(app, argc, argv)) {
        err << "lumor-cli: neznámý příkaz „" << unknown->word << "“ (" << unknown->parent
            << " zná příkazy: " << unknown->known << ")\nNápověda: " << unknown->parent << " --help\n";
        return kExitUsage;
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help is a success; every other parse error is a usage error.
        return app.exit(e, out, err) == 0 ? kExitSuccess : kExitUsage;
    }
    if (!context.action) return kExitUsage;
    try {
        return context.action();
    } catch (const std::exception& e) {
        reportFailure(context, e.what());
        return kExitRefused;
    }
}

}  // namespace lumor::cli
