#include "route/route_rules.h"

#include "route/component_types.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <cmath>

namespace lumor {

bool gridRouteComplete(const StringGrid& routeGrid) {
    return routeGrid.cell(1, 1) == kSourceType &&
           routeGrid.cell(routeGrid.colCount() - 1, 1) == kDetectorType;
}

int fibreLengthColumn(const StringGrid& routeGrid, int left, int top, int right, int bottom) {
    for (int k = 1; k < routeGrid.colCount(); ++k) {
        if (routeGrid.cell(k, 1) == kFibreType && left == k && right == k && top == 9 && bottom == 9) {
            return k;
        }
    }
    return 0;
}

// Slots 0-2 and 4-7 from rows 1-3 and 5-8, the attenuation and length given, 9-10 from 10-11.
std::unique_ptr<ComponentRecord> fibreRecordFromColumn(const StringGrid& grid, int k, const std::string& attenuation,
                                                       const std::string& length) {
    auto r = std::make_unique<ComponentRecord>();
    for (int s = Type; s <= Wavelength; ++s) SetSlotText(*r, s, grid.cell(k, s + 1));
    SetSlotText(*r, Attenuation, attenuation);
    for (int s = Gain; s <= Cd; ++s) SetSlotText(*r, s, grid.cell(k, s + 1));
    SetSlotText(*r, Length, length);
    SetSlotText(*r, Sensitivity, grid.cell(k, 10));
    SetSlotText(*r, Note, grid.cell(k, 11));
    return r;
}

std::string fibreAttenuationText(double attenuation) {
    const double rounded = RoundHundredths(attenuation);
    if (!std::isfinite(rounded)) {
        throw RefusalError("Útlum vlákna vychází mimo rozsah čísel. Zkontrolujte délku vlákna a jeho "
                           "měrný útlum.");
    }
    return NumberText(rounded);
}

std::unique_ptr<ComponentRecord> changedFibreRecord(const StringGrid& route, int k, const std::string& lengthText) {
    const double attenuation = SlotNumber(route.cell(k, 4));
    const double length = SlotNumber(route.cell(k, 9));
    if (lengthText.empty()) return nullptr;
    const double newLength = SlotNumber(lengthText);
    if (newLength == 0) return nullptr;
    if (length == 0) {
        throw RefusalError("Vlákno na pozici " + std::to_string(k) +
                           " má nulovou délku, jeho měrný útlum nelze určit. Přidejte je do trasy znovu.");
    }
    const double specific = attenuation / length;
    return fibreRecordFromColumn(route, k, fibreAttenuationText(specific * newLength), lengthText);
}

}  // namespace lumor
