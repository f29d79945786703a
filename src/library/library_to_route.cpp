#include "library/library_to_route.h"

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

std::unique_ptr<ComponentRecord> recordFromLibraryColumn(const StringGrid& lib, int k) {
    auto r = std::make_unique<ComponentRecord>();
    SetSlotText(*r, Type, lib.cell(k, 1));
    SetSlotText(*r, Label, lib.cell(k, 2));
    for (int s = Wavelength; s <= Cd; ++s) SetSlotText(*r, s, lib.cell(k, s + 1));
    SetSlotText(*r, Length, "-");
    SetSlotText(*r, Sensitivity, lib.cell(k, 10));
    SetSlotText(*r, Note, lib.cell(k, 11));
    return r;
}

std::unique_ptr<ComponentRecord> newFibreRecord(const StringGrid& lib, int col, const std::string& lengthText) {
    // Single precision on purpose: 3,3 km × 0,35 dB/km must give 1,15 (the float product
    // lies just below 1.155).
    const float specific = toFloat(SlotNumber(lib.cell(col, 9)));
    if (lengthText.empty()) return nullptr;
    const float length = toFloat(SlotNumber(lengthText));
    if (length == 0) return nullptr;
    const float attenuation = length * specific;
    return fibreRecordFromColumn(lib, col, fibreAttenuationText(attenuation), lengthText);
}

int appendLibraryColumnsToRoute(RouteList& route, const StringGrid& grid, const std::vector<int>& columns) {
    int appended = 0;
    for (int k : columns) {
        if (!route.AppendComponent(recordFromLibraryColumn(grid, k))) break;
        ++appended;
    }
    return appended;
}

bool routeHasRoom(RouteList& route) { return route.checkRoom(); }

}  // namespace lumor
