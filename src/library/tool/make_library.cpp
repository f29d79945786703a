// lumor-make-library CSV KOMP: the build's tool that turns the standard library's CSV source
// into its library file. It stands on the core alone, so the build runs no Qt program and
// needs no Qt libraries on the path (a Windows build from the developer prompt, a cross build
// run under an emulator). lumor-cli's "library import" makes the same file.
#include "io/read_file.h"
#include "io/write_file.h"
#include "library/library_csv.h"
#include "text/command_line.h"

#include <iostream>
#include <variant>

int main(int argc, char** argv) {
    const std::vector<std::string> args = lumor::utf8Arguments(argc, argv);
    if (args.size() != 3) {
        std::cerr << "usage: lumor-make-library FILE.csv OUT.komp\n";
        return 2;
    }
    const std::string& csvPath = args[1];
    const std::string& kompPath = args[2];
    const auto input = lumor::readFileBytes(csvPath);
    if (const auto* failure = std::get_if<lumor::ReadFailure>(&input)) {
        std::cerr << "lumor-make-library: " << csvPath << ": " << failure->reason << '\n';
        return 1;
    }
    try {
        const auto entries = lumor::parseLibraryCsv(std::get<std::string>(input));
        if (const auto error = lumor::writeFileAtomically(kompPath, lumor::libraryFileBytes(entries))) {
            std::cerr << "lumor-make-library: " << kompPath << ": " << *error << '\n';
            return 1;
        }
    } catch (const lumor::LibraryCsvError& e) {
        std::cerr << "lumor-make-library: " << csvPath << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
