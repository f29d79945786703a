#pragma once
#include <iosfwd>

namespace lumor::cli {

/// Runs the tool on its command line; returns the process's exit code (see ExitCode).
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace lumor::cli
