#include "route/route_list.h"

#include "route/component_types.h"

namespace lumor {

namespace {

std::string routeCellText(const ComponentRecord& record, int row) {
    return SlotText(record, kComponentSlots.at(static_cast<std::size_t>(row - 1)));
}

RecordListTexts routeTexts() {
    return {"Seznam je prázdný",
            "Trasa už obsahuje 999 komponent, což je nejvíc, kolik jich může mít. Další "
            "komponentu nelze přidat.",
            "Soubor obsahuje více než 999 komponent. Načteno bylo prvních 999, zbytek nebyl "
            "načten.",
            "optická trasa",
            "komponenta",
            "celou komponentu",
            "Trasa zůstala beze změny."};
}

/// A file of whole records none of which names one of the five component types is something
/// else (a picture, a library, a text) that only happens to be long enough.
std::optional<std::string> contentRefusal(const std::vector<std::unique_ptr<ComponentRecord>>& records) {
    for (const auto& record : records) {
        if (typeNamed(SlotText(*record, ComponentSlot::Type))) return std::nullopt;
    }
    return "žádný jeho záznam nemá známý typ komponenty (Zdroj, Vlákno, Detektor, Konektor, Zesilovač)";
}

}  // namespace

RouteList::RouteList(Messages& messages)
    : RecordList(messages, routeTexts(), routeRowCaptions(), &routeCellText, &contentRefusal) {}

std::unique_ptr<ComponentRecord> makeRecord(const std::array<std::string, 11>& slots) {
    auto record = std::make_unique<ComponentRecord>();
    for (ComponentSlot s : kComponentSlots) SetSlotText(*record, s, slots[static_cast<std::size_t>(s)]);
    return record;
}

}  // namespace lumor
