#include "library/library_to_route.h"

#include "library/library_entry.h"
#include "route/route_list.h"
#include "route/route_rules.h"
#include "text/numbers.h"

#include <algorithm>
#include <limits>

namespace lumor {

namespace {

// A double as a float without undefined behaviour: values beyond the float range saturate.
float toFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

}  // namespace

std::unique_ptr<ComponentRecord> recordFromLibraryColumn(const TextTable& lib, int k) {
    auto r = std::make_unique<ComponentRecord>();
    for (ComponentSlot s : kComponentSlots) {
        // Row 9 of the library grid is the specific attenuation, no length.
        SetSlotText(*r, s, s == ComponentSlot::Length ? std::string("-") : lib.cell(k, gridRow(s)));
    }
    return r;
}

std::unique_ptr<ComponentRecord> newFibreRecord(const TextTable& lib, int col, const std::string& lengthText) {
    // Single precision on purpose: 3,3 km × 0,35 dB/km must give 1,15 (the float product
    // lies just below 1.155).
    const float specific = toFloat(SlotNumber(lib.cell(col, gridRow(LibrarySlot::SpecificAttenuation))));
    if (lengthText.empty()) return nullptr;
    const float length = toFloat(SlotNumber(lengthText));
    if (length == 0) return nullptr;
    const float attenuation = length * specific;
    return fibreRecordFromColumn(lib, col, fibreAttenuationText(attenuation), lengthText);
}

int appendLibraryColumnsToRoute(RouteList& route, const TextTable& grid, const std::vector<int>& columns) {
    int appended = 0;
    for (int k : columns) {
        if (!route.AppendComponent(recordFromLibraryColumn(grid, k))) break;
        ++appended;
    }
    return appended;
}

bool routeHasRoom(RouteList& route) { return route.checkRoom(); }

}  // namespace lumor
