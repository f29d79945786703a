#pragma once
#include "eval/route_result.h"
#include "library/component_library.h"
#include "route/route_list.h"

namespace lumor {

/// Everything the windows share for the whole run: the route and the library with their
/// grids, the end values of the last draw and the indexes handed between windows.
struct AppState {
    explicit AppState(Messages& messages) : route(messages), library(messages) {}

    RouteList route;
    ComponentLibrary library;
    RouteResult routeResult;
    /// Library grid column of the fibre being added through the length dialog.
    int FibreLibraryColumn = 0;
    /// Route position of the fibre whose length is being changed.
    int ChangedFibreIndex = 0;
    /// Library index of the entry the component editor's "Uprav" overwrites; 0 names none.
    int EditedIndex = 0;
};

}  // namespace lumor
