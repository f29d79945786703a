#pragma once
#include "library/library_entry.h"
#include "text/text_table.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace lumor {

/// Component types, category lists and type codes 0 to 4.
constexpr int kCategoryCount = 5;
/// The component editor's numeric fields `Edit2` to `Edit9` (slots Wavelength to Sensitivity).
constexpr int kNumericFieldCount = 8;

/// The ten texts of a library entry in slot order, as the editor's `Edit1` to `Edit10` hold them.
using EntryFields = std::array<std::string, LibraryEntry::kSlotCount>;

/// The labels (row 2) of library columns 1 to `entryCount` per type, in column order; an entry
/// whose row 1 holds no known type name is in no list.
std::array<std::vector<std::string>, kCategoryCount> categoryLists(const TextTable& libraryGrid, int entryCount);

/// The entry columns 1 to `entryCount` whose label is the text, whole and byte for byte, in
/// column order. The caption column 0 is never one of them.
std::vector<int> columnsWithLabel(const TextTable& libraryGrid, int entryCount, const std::string& label);

/// The entry the editor edits for a category item: the last column among 1 to `entryCount`
/// whose label is the text and whose type row names type `typeCode`, or 0 when none does.
int editedEntryColumn(const TextTable& libraryGrid, int entryCount, const std::string& label, int typeCode);

/// The search: the first grid column from 1 to the grid's last whose label contains the text,
/// ignoring letter case and accents (`nameContains`), or 0. The blank column 1 of an empty
/// library matches the empty text.
int findComponentColumn(const TextTable& libraryGrid, const std::string& text);

/// The editor's "Přidej" check: the label is not empty and no entry 1 to `entryCount` bears it.
bool isNewLabel(const TextTable& libraryGrid, int entryCount, const std::string& label);

/// Which of `Edit2` to `Edit9` apply to a type code; a code outside 0 to 4 has none.
std::array<bool, kNumericFieldCount> applicableFields(int typeCode);

/// The editor texts of library column k: grid rows 2 to 11.
EntryFields entryFieldsFromColumn(const TextTable& libraryGrid, int k);

/// A new entry of the type code whose slots hold the texts as given (each cut to 255 characters).
std::unique_ptr<LibraryEntry> buildLibraryEntry(int typeCode, const EntryFields& fields);

}  // namespace lumor
