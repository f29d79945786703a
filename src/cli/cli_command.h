#pragma once
#include <functional>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace lumor::cli {

/// The tool's exit codes.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitRefused = 1,  ///< an input was unreadable or refused, or an output could not be written
    kExitUsage = 2,    ///< the command line itself was wrong
};

/// What a command family needs to set up its subcommands.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    /// The command that the command line chose; a subcommand's parse callback sets it and the
    /// tool runs it once parsing has succeeded, so that usage errors never half-run a command.
    std::function<int()> action;
};

/// Adds one family of subcommands ("library", later "eval", "report", "route") to the tool.
using AddCommandsFn = void (*)(CLI::App& root, CommandContext& context);

/// The "library" family: "library import" and "library export".
void addLibraryCommands(CLI::App& root, CommandContext& context);
/// "eval": the end values of route files, as a table or CSV.
void addEvalCommands(CLI::App& root, CommandContext& context);
/// "report": the measurement report of a route, written into a folder (uses Qt, offscreen).
void addReportCommands(CLI::App& root, CommandContext& context);
/// The "route" family: "route export".
void addRouteCommands(CLI::App& root, CommandContext& context);
/// "hodnoceni": routes graded against a teacher's assignment, with the identical ones named.
void addAssignmentCommands(CLI::App& root, CommandContext& context);

/// Writes "lumor-cli: <message>" as one line to the error stream.
void reportFailure(CommandContext& context, const std::string& message);
/// Writes a command's result to standard output; kExitRefused when that fails.
int writeOutput(CommandContext& context, const std::string& text);

}  // namespace lumor::cli
