#include "library/component_library.h"

#include "route/component_record.h"
#include "route/component_types.h"

namespace lumor {

namespace {

std::string libraryCellText(const LibraryEntry& entry, int row) {
    if (row == gridRow(ComponentSlot::Type)) return typeNameOfCode(typeCode(entry));
    return SlotText(entry, kLibrarySlots.at(static_cast<std::size_t>(row - gridRow(LibrarySlot::Label))));
}

RecordListTexts libraryTexts() {
    return {"Databáze je prázdná",
            "Seznam komponent už obsahuje 999 položek, což je nejvíc, kolik jich může mít. "
            "Další komponentu nelze přidat.",
            "Soubor obsahuje více než 999 komponent. Načteno bylo prvních 999, zbytek nebyl "
            "načten.",
            "seznam komponent",
            "položka",
            "celou položku",
            "Seznam komponent zůstal beze změny."};
}

/// A file of library entries none of which has one of the five type codes is something else
/// (a text file, a route) that only happens to be long enough.
std::optional<std::string> contentRefusal(const std::vector<std::unique_ptr<LibraryEntry>>& entries) {
    for (const auto& entry : entries) {
        if (typeCode(*entry) >= 0 && typeCode(*entry) < static_cast<std::int32_t>(kTypeNames.size()))
            return std::nullopt;
    }
    return "žádná jeho položka nemá známý typ komponenty";
}

}  // namespace

ComponentLibrary::ComponentLibrary(Messages& messages)
    : RecordList(messages, libraryTexts(), libraryRowCaptions(), &libraryCellText, &contentRefusal) {}

}  // namespace lumor
