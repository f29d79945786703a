#pragma once
#include "assignment/assignment.h"
#include "eval/route_result.h"
#include "library/component_library.h"
#include "route/route_history.h"
#include "route/route_list.h"

namespace lumor {

/// What the windows share for the whole run: the route and the library, the route's undo
/// history, the end values of the last draw and the teacher's assignment. The indexes handed between windows are kept
/// by the dialog each is handed to (`TForm4::FibreLibraryColumn`, `TForm4::ChangedFibreIndex`, `TForm3::EditedIndex`).
struct AppState {
    explicit AppState(Messages& messages) : route(messages), library(messages), routeHistory(route) {}

    RouteList route;
    ComponentLibrary library;
    RouteHistory routeHistory;  ///< every change of the route, from any window
    RouteResult routeResult;
    std::optional<Assignment> assignment;  ///< the teacher's assignment, once one is opened
};

}  // namespace lumor
