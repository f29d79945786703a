#include "route/route_rules.h"

#include "route/component_types.h"
#include "route/route_list.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <cmath>

namespace lumor {

namespace {

constexpr int kTypeRow = gridRow(ComponentSlot::Type);

/// "Vlákno „G.652“" for component k; an unknown type is quoted as it stands.
std::string componentName(const RouteList& route, int k) {
    const std::string type = SlotText(route.at(k), ComponentSlot::Type);
    const std::string label = SlotText(route.at(k), ComponentSlot::Label);
    std::string name = typeNamed(type) ? type : "komponenta neznámého typu „" + type + "“";
    if (!label.empty()) name += " „" + label + "“";
    return name;
}

bool isType(const RouteList& route, int k, ComponentType type) {
    return typeNamed(SlotText(route.at(k), ComponentSlot::Type)) == type;
}

}  // namespace

std::string componentTitle(const ComponentRecord& record) {
    const std::string type = SlotText(record, ComponentSlot::Type);
    const std::string label = SlotText(record, ComponentSlot::Label);
    std::string title = typeNamed(type) ? type : "komponenta neznámého typu „" + type + "“";
    if (!label.empty()) title += " " + label;
    return title;
}

std::string componentPlace(const RouteList& route, int k) {
    return "ve sloupci " + std::to_string(k) + " (" + componentName(route, k) + ")";
}

namespace {

std::string valueMessage(const RouteList& route, int k, ComponentSlot slot, const std::string& text) {
    std::string place = componentPlace(route, k);
    place[0] = 'V';
    const std::string& row = routeRowCaptions()[static_cast<std::size_t>(slot)];
    if (text.empty()) return place + " je řádek „" + row + "“ prázdný, má v něm být číslo.";
    return place + " není v řádku „" + row + "“ číslo, ale „" + printableText(text) + "“.";
}

}  // namespace

ComponentValueError::ComponentValueError(const RouteList& route, int k, ComponentSlot slot, const std::string& text)
    : ConversionError(text, valueMessage(route, k, slot, text)), column_(k), slot_(slot) {}

double componentNumber(const RouteList& route, int k, ComponentSlot slot) {
    const std::string text = SlotText(route.at(k), slot);
    try {
        return SlotNumber(text);
    } catch (const ConversionError&) {
        throw ComponentValueError(route, k, slot, text);
    }
}

std::optional<std::string> incompleteRouteReason(const RouteList& route) {
    const std::string rule = " Trasa musí začínat zdrojem a končit detektorem.";
    const int n = route.count();
    if (n == 0) return "Trasa není úplná: je prázdná." + rule;
    if (n == 1) return "Trasa není úplná: má jen jednu komponentu, " + componentName(route, 1) + "." + rule;
    std::string reason;
    if (!isType(route, 1, ComponentType::Source)) {
        reason = "ve sloupci 1 je " + componentName(route, 1) + ", ne zdroj";
    }
    if (!isType(route, n, ComponentType::Detector)) {
        if (!reason.empty()) reason += " a ";
        reason += "v posledním sloupci (" + std::to_string(n) + ") je " + componentName(route, n) + ", ne detektor";
        for (int k = n - 1; k >= 1; --k) {
            if (isType(route, k, ComponentType::Detector)) {
                reason += " (detektor stojí ve sloupci " + std::to_string(k) + ")";
                break;
            }
        }
    }
    if (reason.empty()) return std::nullopt;
    return "Trasa není úplná: " + reason + "." + rule;
}

std::optional<std::string> unknownTypeWarning(const RouteList& route) {
    constexpr int kNamed = 5;  // columns named; the rest only counted
    std::string named;
    int unknown = 0;
    for (int k = 1; k <= route.count(); ++k) {
        const std::string type = SlotText(route.at(k), ComponentSlot::Type);
        if (typeNamed(type)) continue;
        if (++unknown <= kNamed) named += (unknown > 1 ? ", " : "") + std::to_string(k) + " („" + type + "“)";
    }
    if (unknown == 0) return std::nullopt;
    if (unknown > kNamed) named += " a " + std::to_string(unknown - kNamed) + " další";
    const bool one = unknown == 1;
    return std::string(one ? "Komponenta ve sloupci " : "Komponenty ve sloupcích ") + named + (one ? " má" : " mají") +
           " neznámý typ (typ má být Zdroj, Vlákno, Detektor, Konektor nebo Zesilovač). Výpočet u " +
           (one ? "ní" : "nich") + " bere jen útlum, bez délky vlákna a disperze.";
}

int fibreLengthColumn(const TextTable& routeGrid, int left, int top, int right, int bottom) {
    for (int k = 1; k < routeGrid.colCount(); ++k) {
        const int row = gridRow(ComponentSlot::Length);
        if (routeGrid.cell(k, kTypeRow) == typeName(ComponentType::Fibre) && left == k && right == k && top == row &&
            bottom == row) {
            return k;
        }
    }
    return 0;
}

std::unique_ptr<ComponentRecord> fibreRecordFromColumn(const TextTable& grid, int k, const std::string& attenuation,
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

std::unique_ptr<ComponentRecord> changedFibreRecord(const TextTable& route, int k, const std::string& lengthText) {
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
