#include "cli/cli_app.h"

#include "cli/cli_command.h"
#include "text/text_decoding.h"

#include <CLI/CLI.hpp>

#include <array>
#include <exception>
#include <ostream>

namespace lumor::cli {

namespace {

// Every family of subcommands; a new family is one file and one line here.
constexpr std::array<AddCommandsFn, 4> kCommandFamilies = {&addLibraryCommands, &addEvalCommands, &addReportCommands,
                                                           &addRouteCommands};

}  // namespace

void reportFailure(CommandContext& context, const std::string& message) {
    // File names and texts from files are shown whole but can never act on the terminal.
    context.err << "lumor-cli: " << printableText(message) << '\n';
}

int writeOutput(CommandContext& context, const std::string& text) {
    context.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    context.out.flush();
    if (!context.out) {
        reportFailure(context, "zápis na standardní výstup selhal");
        return kExitRefused;
    }
    return kExitSuccess;
}

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{
        "Lumor command-line tool: works with Lumor's component library and route files, "
        "evaluates routes and writes measurement reports without the desktop program.",
        "lumor-cli"};
    app.require_subcommand(1);
    // Options are "--out" and the like on every system: CLI11 would take "/x" for an option on
    // Windows, and a path written with forward slashes ("/skola/novak.trasa") would be lost.
    // The commands made below inherit this.
    app.allow_windows_style_options(false);
    app.footer(
        "Examples:\n  lumor-cli library import stdkmp.csv Komponenty/stdkmp.komp\n"
        "  lumor-cli eval novak.trasa svoboda.trasa\n"
        "  lumor-cli report novak.trasa --out protokoly/novak --jmeno Jan --prijmeni Novák\n"
        "  lumor-cli route export novak.trasa > novak.csv\n\n"
        "Exit status: 0 success, 1 unreadable or refused input (or unwritable output),\n"
        "2 usage error. Run 'lumor-cli COMMAND --help' for a command's details.");

    CommandContext context{out, err, {}};
    for (AddCommandsFn add : kCommandFamilies) add(app, context);

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
