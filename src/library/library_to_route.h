#pragma once
#include "route/component_record.h"
#include "text/text_table.h"

#include <memory>
#include <string>
#include <vector>

namespace lumor {

class RouteList;

/// A route record built from library grid column k for the plain add commands: type,
/// label, the values of rows 3 to 8, "-" as length, sensitivity and note.
std::unique_ptr<ComponentRecord> recordFromLibraryColumn(const TextTable& libraryGrid, int k);

/// The fibre of library column `col` with the typed length, its attenuation the length times
/// the specific attenuation in single precision, rounded to hundredths. Nothing when the
/// length is empty or zero (the user is asked again). Throws ConversionError.
std::unique_ptr<ComponentRecord> newFibreRecord(const TextTable& libraryGrid, int col, const std::string& lengthText);

/// Appends to the route a record built from each library column in turn (`recordFromLibraryColumn`).
/// Stops at the first refusal, so a full route warns once. Returns how many were appended.
int appendLibraryColumnsToRoute(RouteList& route, const TextTable& libraryGrid, const std::vector<int>& columns);

/// True when the route can take another component; a full route shows its own warning.
bool routeHasRoom(RouteList& route);

}  // namespace lumor
