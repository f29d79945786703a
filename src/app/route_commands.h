#pragma once
#include "route/component_record.h"
#include "text/string_grid.h"

#include <memory>
#include <string>

namespace lumor {

/// Longest text the length and numeric input filters keep, in characters.
constexpr std::size_t kMaxInputChars = 31;

/// The length field's filter: digits and the first comma, at most 31 characters kept.
std::string filterLengthText(const std::string& text);

/// The component editor's numeric filter: digits, commas, and a minus sign while no comma
/// was kept before it; at most 31 characters kept.
std::string filterNumericText(const std::string& text);

/// The conclusion as the main window keeps it: its first five lines, at most 550 characters
/// (a line break counts as one).
std::string limitConclusion(const std::string& text);

/// A conclusion after an edit, with the cursor (in characters) where it ends up.
struct LimitedConclusion {
    std::string text;
    std::size_t cursor = 0;
};
/// As above for text being typed: characters over 550 are the ones just typed, before the
/// cursor, so typing into a full conclusion changes nothing instead of losing its end.
LimitedConclusion limitConclusion(const std::string& text, std::size_t cursor);

/// The conclusion's lines, split at line breaks (a trailing CR is dropped).
std::vector<std::string> conclusionLines(const std::string& text);

/// True when the grid's column 1 is a "Zdroj" and its last column a "Detektor".
bool gridRouteComplete(const StringGrid& routeGrid);

/// The route position k whose fibre length cell (k, 9) is exactly the selected rectangle,
/// or 0 when the selection is anything else.
int fibreLengthColumn(const StringGrid& routeGrid, int left, int top, int right, int bottom);

/// A route record built from library grid column k for the plain add commands: type,
/// label, the values of rows 3 to 8, "-" as length, sensitivity and note.
std::unique_ptr<ComponentRecord> recordFromLibraryColumn(const StringGrid& libraryGrid, int k);

/// The fibre of library column `col` with the typed length, its attenuation the length times
/// the specific attenuation in single precision, rounded to hundredths. Nothing when the
/// length is empty or zero (the user is asked again). Throws ConversionError.
std::unique_ptr<ComponentRecord> newFibreRecord(const StringGrid& libraryGrid, int col,
                                                const std::string& lengthText);

/// Route fibre k with a new length; its specific attenuation is derived from its present
/// attenuation and length. Nothing when the new length is empty or zero. Throws
/// ConversionError, or RefusalError when the present length is zero.
std::unique_ptr<ComponentRecord> changedFibreRecord(const StringGrid& routeGrid, int k,
                                                    const std::string& lengthText);

/// The about box's six lines joined by CR LF.
std::string aboutText();

}  // namespace lumor
