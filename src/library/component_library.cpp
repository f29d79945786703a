#include "library/component_library.h"

#include "route/component_types.h"

namespace lumor {

namespace {

void showLibraryColumn(StringGrid& grid, int col, const LibraryEntry& entry) {
    grid.setCell(col, 1, typeNameOfCode(TypeCode(entry)));
    for (int s = 0; s < LibraryEntry::kSlotCount; ++s) grid.setCell(col, s + 2, SlotText(entry, s));
}

RecordListTexts libraryTexts() {
    return {"Databáze je prázdná",
            "Seznam komponent už obsahuje 999 položek, což je nejvíc, kolik jich může mít. "
            "Další komponentu nelze přidat.",
            "Soubor obsahuje více než 999 komponent. Načteno bylo prvních 999, zbytek nebyl "
            "načten."};
}

}  // namespace

ComponentLibrary::ComponentLibrary(Messages& messages)
    : RecordList(messages, libraryTexts(), LibraryRowCaptions(), &showLibraryColumn) {}

}  // namespace lumor
