#pragma once
#include "library/component_library.h"
#include "route/route_list.h"
#include "text/messages.h"

#include <memory>
#include <string>
#include <vector>

namespace lumor::cli {

/// The program's message boxes for the command line: nothing is shown, the warnings and
/// notices are kept so that the tool can report them on its error stream.
class CollectingMessages : public Messages {
public:
    void warning(const std::string& text, const std::string& title = {}) override;
    void information(const std::string& text, const std::string& title = {}) override;
    /// Nobody can answer on the command line: every question is answered No.
    bool question(const std::string& text) override;

    /// The warnings in the order they came.
    std::vector<std::string> warnings;
};

/// A route or library file loaded the way the program's open commands load it.
template <class List>
struct LoadedList {
    std::unique_ptr<CollectingMessages> messages;  ///< the list speaks to these; kept alive with it
    std::unique_ptr<List> list;                    ///< nothing when the file could not be read
    std::string failure;                           ///< why the file could not be read, in Czech (empty on success)
    std::vector<std::string> warnings;             ///< what the tool says about a loaded file, in Czech
    bool truncated = false;                        ///< the file holds more than 999 records; the list the first 999
};
using LoadedRoute = LoadedList<RouteList>;
using LoadedLibrary = LoadedList<ComponentLibrary>;

/// Loads a route file as `RouteList::LoadRoute` does. A file that cannot be read gives the
/// reason ("soubor neexistuje", "je to složka, ne soubor", "přístup odepřen"…). A loaded
/// file's warnings are the route's own (more than 999 components), a note about a tail
/// shorter than a whole record, which the program drops without a word, and the components
/// of unknown type (unknownTypeWarning).
LoadedRoute loadRouteFile(const std::string& path);
/// Loads a library file as `ComponentLibrary::LoadLibrary` does, with the same reasons and the
/// notes about its records.
LoadedLibrary loadLibraryFile(const std::string& path);

}  // namespace lumor::cli
