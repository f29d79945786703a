#pragma once
#include "route/component_record.h"
#include "text/errors.h"
#include "text/text_table.h"

#include <memory>
#include <optional>
#include <string>

namespace lumor {

class RouteList;

/// The one completeness rule of the draw, the report, the windows and lumor-cli: nothing when
/// the route starts with a "Zdroj" and ends with a "Detektor" (two different components);
/// otherwise why not, in Czech, beginning "Trasa není úplná" and naming the column that breaks it.
std::optional<std::string> incompleteRouteReason(const RouteList& route);

/// A warning naming the route's components whose type is not one of the five names ("Vlakno",
/// "zdroj"), or nothing when every type is known: the evaluation counts such a component only
/// by its attenuation, without length and dispersion, as it always has, so that stored routes
/// keep their values. Said when a route is opened and when it is drawn.
std::optional<std::string> unknownTypeWarning(const RouteList& route);

/// A component as people name it: its type and label, "Konektor SC/PC" (a type the program
/// does not know is quoted as it stands).
std::string componentTitle(const ComponentRecord& record);

/// Component k as the user finds it in the table: "ve sloupci 3 (Vlákno „G.652“)".
std::string componentPlace(const RouteList& route, int k);

/// A value of a route component that is no number, told in Czech with the component's column,
/// type and label and the row's caption ("Ve sloupci 3 (Vlákno „G.652“) je řádek „PMD
/// [ps/(km^0,5)]“ prázdný …"). Still a ConversionError, with the slot's text as its offending text.
class ComponentValueError : public ConversionError {
public:
    ComponentValueError(const RouteList& route, int k, ComponentSlot slot, const std::string& text);
    int column() const { return column_; }
    ComponentSlot slot() const { return slot_; }

private:
    int column_;
    ComponentSlot slot_;
};

/// The number in slot `slot` of route component k; throws ComponentValueError when it is none.
double componentNumber(const RouteList& route, int k, ComponentSlot slot);

/// The route position k whose fibre length cell (k, 9) is exactly the selected rectangle,
/// or 0 when the selection is anything else.
int fibreLengthColumn(const TextTable& routeGrid, int left, int top, int right, int bottom);

/// A fibre record from grid column k (the route grid, or the library grid, whose rows hold the
/// same slots but for row 9): the slots of rows 1 to 11 with the given attenuation and length.
std::unique_ptr<ComponentRecord> fibreRecordFromColumn(const TextTable& grid, int k, const std::string& attenuation,
                                                       const std::string& length);

/// A fibre attenuation as the route holds it: rounded to hundredths. Throws RefusalError when
/// it lies beyond the range of numbers.
std::string fibreAttenuationText(double attenuation);

/// Route fibre k with a new length; its specific attenuation is derived from its present
/// attenuation and length. Nothing when the new length is empty or zero. Throws
/// ConversionError, or RefusalError when the present length is zero.
std::unique_ptr<ComponentRecord> changedFibreRecord(const TextTable& routeGrid, int k, const std::string& lengthText);

}  // namespace lumor
