#include "library/component_library.h"

#include "route/component_record.h"
#include "route/component_types.h"

namespace lumor {

namespace {

void showLibraryColumn(StringGrid& grid, int col, const LibraryEntry& entry) {
    grid.setCell(col, gridRow(ComponentSlot::Type), typeNameOfCode(typeCode(entry)));
    for (LibrarySlot s : kLibrarySlots) grid.setCell(col, gridRow(s), SlotText(entry, s));
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
    : RecordList(messages, libraryTexts(), libraryRowCaptions(), &showLibraryColumn) {}

}  // namespace lumor
