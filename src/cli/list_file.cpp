#include "cli/list_file.h"

#include "text/read_file.h"

namespace lumor::cli {

void CollectingMessages::warning(const std::string& text, const std::string&) { warnings.push_back(text); }

// "Uloženo" and the like: nothing a command-line user needs to hear.
void CollectingMessages::information(const std::string&, const std::string&) {}

bool CollectingMessages::question(const std::string&) { return false; }

namespace {

/// The program's load (one reader, the list's own cut at 999 records), with the reasons and
/// notes the tool adds.
template <class List>
LoadedList<List> loadListFile(const std::string& path, std::size_t recordSize) {
    LoadedList<List> loaded;
    loaded.messages = std::make_unique<CollectingMessages>();
    auto list = std::make_unique<List>(*loaded.messages);
    const auto content = readFileBytes(path, List::kFileReadLimit);
    if (const auto* failure = std::get_if<ReadFailure>(&content)) {
        loaded.failure = "nelze otevřít: " + failure->reason;
        return loaded;
    }
    const std::string& bytes = std::get<std::string>(content);
    list->loadBytes(bytes);
    loaded.warnings = loaded.messages->warnings;
    const std::size_t tail = bytes.size() % recordSize;
    if (tail != 0 && loaded.warnings.empty()) {  // past 999 records the tail is moot
        loaded.warnings.push_back("posledních " + std::to_string(tail) + " bajtů netvoří celý záznam (" +
                                  std::to_string(recordSize) + " bajtů) a program je nenačte");
    }
    loaded.list = std::move(list);
    return loaded;
}

}  // namespace

LoadedRoute loadRouteFile(const std::string& path) {
    return loadListFile<RouteList>(path, ComponentRecord::kImageSize);
}

LoadedLibrary loadLibraryFile(const std::string& path) {
    return loadListFile<ComponentLibrary>(path, LibraryEntry::kImageSize);
}

}  // namespace lumor::cli
