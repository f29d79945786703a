#pragma once
// Runs the built lumor-cli as a separate process, its outputs going to files in a folder.
#include <sys/wait.h>

#include "test_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lumor::clitest {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

/// Runs `lumor-cli args…` with standard input empty; standard output and error are caught in
/// files inside `scratch`. `environment` is put before the command ("VAR=value …").
inline CliRun runCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                     const std::string& environment = {}) {
    std::string command = environment.empty() ? std::string() : environment + " ";
    command += shellQuoted(LUMOR_CLI_PATH);
    for (const auto& a : args) command.append(" ").append(shellQuoted(a));
    const auto out = scratch / "cli.stdout";
    const auto err = scratch / "cli.stderr";
    command += " </dev/null >" + shellQuoted(out.string()) + " 2>" + shellQuoted(err.string());
    const int status = std::system(command.c_str());
    CliRun r;
    if (status != -1 && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
    r.out = bytesOf(out);
    r.err = bytesOf(err);
    std::error_code ec;
    std::filesystem::remove(out, ec);
    std::filesystem::remove(err, ec);
    return r;
}

}  // namespace lumor::clitest
