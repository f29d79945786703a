#include "cli/cli_app.h"
#include "text/command_line.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // UTF-8 on every platform: on Windows read again as wide strings, or Czech names are lost.
    const std::vector<std::string> args = lumor::utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& arg : args) pointers.push_back(arg.c_str());
    pointers.push_back(nullptr);
    return lumor::cli::runCli(static_cast<int>(args.size()), pointers.data(), std::cout, std::cerr);
}
