#include "route/route_list.h"

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

}  // namespace

RouteList::RouteList(Messages& messages) : RecordList(messages, routeTexts(), routeRowCaptions(), &routeCellText) {}

std::unique_ptr<ComponentRecord> makeRecord(const std::array<std::string, 11>& slots) {
    auto record = std::make_unique<ComponentRecord>();
    for (ComponentSlot s : kComponentSlots) SetSlotText(*record, s, slots[static_cast<std::size_t>(s)]);
    return record;
}

}  // namespace lumor
