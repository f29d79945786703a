#pragma once
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

/// A route file loaded the way the program's "open route" command loads it.
struct LoadedRoute {
    std::unique_ptr<CollectingMessages> messages;  ///< the route speaks to these; kept alive with it
    std::unique_ptr<RouteList> route;              ///< nothing when the file could not be opened
    std::string failure;    ///< why the file could not be opened, in Czech (empty on success)
    std::vector<std::string> warnings;  ///< what the tool says about a loaded file, in Czech
};

/// Loads a route file through `RouteList::LoadRoute`. A file that cannot be opened gives a
/// reason clearer than the program's "nelze otevrit" ("soubor neexistuje", "je to složka,
/// ne soubor", "přístup odepřen"…). A loaded file's warnings are the route's own (more than
/// 999 components) and a note about a tail shorter than a whole 2816-byte record, which the
/// program drops without a word.
LoadedRoute loadRouteFile(const std::string& path);

}  // namespace lumor::cli
