#include "cli/route_file.h"

#include "cli/input_file.h"
#include "text/file_io.h"

#include <filesystem>

namespace lumor::cli {

void CollectingMessages::warning(const std::string& text, const std::string&) { warnings.push_back(text); }

// "Uloženo" and the like: nothing a command-line user needs to hear.
void CollectingMessages::information(const std::string&, const std::string&) {}

bool CollectingMessages::question(const std::string&) { return false; }

LoadedRoute loadRouteFile(const std::string& path) {
    LoadedRoute loaded;
    loaded.messages = std::make_unique<CollectingMessages>();
    auto route = std::make_unique<RouteList>(*loaded.messages);
    if (!route->LoadRoute(path)) {
        // The program says only "nelze otevrit"; ask the file system why.
        auto probe = readInputFile(path);
        auto* failure = std::get_if<ReadFailure>(&probe);
        loaded.failure = failure ? "nelze otevřít: " + failure->reason : std::string("nelze otevřít");
        return loaded;
    }
    loaded.warnings = loaded.messages->warnings;
    std::error_code ec;
    const auto size = std::filesystem::file_size(pathFromUtf8(path), ec);
    const auto tail = ec ? 0 : size % ComponentRecord::kImageSize;
    if (tail != 0 && loaded.messages->warnings.empty()) {  // past 999 records the tail is moot
        loaded.warnings.push_back("posledních " + std::to_string(tail) +
                                  " bajtů netvoří celou komponentu (2816 bajtů) a program je nenačte");
    }
    loaded.route = std::move(route);
    return loaded;
}

}  // namespace lumor::cli
