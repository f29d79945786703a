#include "cli/list_file.h"

#include "route/route_rules.h"
#include "text/read_file.h"

#include <type_traits>

namespace lumor::cli {

void CollectingMessages::warning(const std::string& text, const std::string&) { warnings.push_back(text); }

// "Uloženo" and the like: nothing a command-line user needs to hear.
void CollectingMessages::information(const std::string&, const std::string&) {}

bool CollectingMessages::question(const std::string&) { return false; }

namespace {

/// The program's load (one reader, the list's own cut at 999 records), with the reasons and
/// notes the tool adds.
template <class List>
LoadedList<List> loadListFile(const std::string& path) {
    LoadedList<List> loaded;
    loaded.messages = std::make_unique<CollectingMessages>();
    auto list = std::make_unique<List>(*loaded.messages);
    const auto content = readFileBytes(path, List::kFileReadLimit);
    if (const auto* failure = std::get_if<ReadFailure>(&content)) {
        loaded.failure = "nelze otevřít: " + failure->reason;
        return loaded;
    }
    const std::string& bytes = std::get<std::string>(content);
    // What the program refuses to open (some bytes but no whole record, a library of no known
    // type) is refused here too.
    if (const auto refusal = list->refusalOf(bytes)) {
        loaded.failure = "není " + list->texts().fileKind + ": " + *refusal;
        return loaded;
    }
    list->loadBytes(bytes);
    loaded.warnings = loaded.messages->warnings;
    constexpr std::size_t recordSize = std::remove_reference_t<decltype(list->at(1))>::kImageSize;
    loaded.truncated = bytes.size() / recordSize > static_cast<std::size_t>(kMaxRecords);
    const std::size_t tail = bytes.size() % recordSize;
    if (tail != 0 && loaded.warnings.empty()) {  // past 999 records the tail is moot
        loaded.warnings.push_back("soubor je poškozený: posledních " + std::to_string(tail) + " bajtů netvoří " +
                                  list->texts().recordWhole + " (" + std::to_string(recordSize) +
                                  " bajtů) a nebyly načteny");
    }
    loaded.list = std::move(list);
    return loaded;
}

}  // namespace

LoadedRoute loadRouteFile(const std::string& path) {
    LoadedRoute loaded = loadListFile<RouteList>(path);
    if (loaded.list) {
        if (auto warning = unknownTypeWarning(*loaded.list)) loaded.warnings.push_back(std::move(*warning));
    }
    return loaded;
}

LoadedLibrary loadLibraryFile(const std::string& path) { return loadListFile<ComponentLibrary>(path); }

}  // namespace lumor::cli
