#include "route/route_rules.h"

#include "route/component_types.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <cmath>

namespace lumor {

namespace {

constexpr int kTypeRow = gridRow(ComponentSlot::Type);

}  // namespace

bool gridRouteComplete(const StringGrid& routeGrid) {
    return routeGrid.cell(1, kTypeRow) == typeName(ComponentType::Source) &&
           routeGrid.cell(routeGrid.colCount() - 1, kTypeRow) == typeName(ComponentType::Detector);
}

int fibreLengthColumn(const StringGrid& routeGrid, int left, int top, int right, int bottom) {
    for (int k = 1; k < routeGrid.colCount(); ++k) {
        const int row = gridRow(ComponentSlot::Length);
        if (routeGrid.cell(k, kTypeRow) == typeName(ComponentType::Fibre) && left == k && right == k && top == row &&
            bottom == row) {
            return k;
        }
    }
    return 0;
}

std::unique_ptr<ComponentRecord> fibreRecordFromColumn(const StringGrid& grid, int k, const std::string& attenuation,
                                                       const std::string& length) {
    auto r = std::make_unique<ComponentRecord>();
    for (ComponentSlot s : kComponentSlots) {
        if (s == ComponentSlot::Attenuation) {
            SetSlotText(*r, s, attenuation);
        } else if (s == ComponentSlot::Length) {
            SetSlotText(*r, s, length);
        } else {
            SetSlotText(*r, s, grid.cell(k, gridRow(s)));
        }
    }
    return r;
}

std::string fibreAttenuationText(double attenuation) {
    const double rounded = roundHundredths(attenuation);
    if (!std::isfinite(rounded)) {
        throw RefusalError(
            "Útlum vlákna vychází mimo rozsah čísel. Zkontrolujte délku vlákna a jeho "
            "měrný útlum.");
    }
    return NumberText(rounded);
}

std::unique_ptr<ComponentRecord> changedFibreRecord(const StringGrid& route, int k, const std::string& lengthText) {
    const double attenuation = SlotNumber(route.cell(k, gridRow(ComponentSlot::Attenuation)));
    const double length = SlotNumber(route.cell(k, gridRow(ComponentSlot::Length)));
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
