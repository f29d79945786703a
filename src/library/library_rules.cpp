#include "library/library_rules.h"

#include "route/component_record.h"
#include "route/component_types.h"
#include "text/text_search.h"

namespace lumor {

namespace {

constexpr int kTypeRow = gridRow(ComponentSlot::Type);
constexpr int kLabelRow = gridRow(LibrarySlot::Label);

}  // namespace

std::array<std::vector<std::string>, kCategoryCount> categoryLists(const TextTable& grid, int entryCount) {
    std::array<std::vector<std::string>, kCategoryCount> lists;
    for (int k = 1; k <= entryCount; ++k) {
        for (int t = 0; t < kCategoryCount; ++t) {
            if (grid.cell(k, kTypeRow) == kTypeNames[static_cast<std::size_t>(t)]) {
                lists[static_cast<std::size_t>(t)].push_back(grid.cell(k, kLabelRow));
            }
        }
    }
    return lists;
}

std::vector<int> columnsWithLabel(const TextTable& grid, int entryCount, const std::string& label) {
    std::vector<int> columns;
    for (int k = 1; k <= entryCount; ++k) {
        if (grid.cell(k, kLabelRow) == label) columns.push_back(k);
    }
    return columns;
}

int editedEntryColumn(const TextTable& grid, int entryCount, const std::string& label, int typeCode) {
    if (typeCode < 0 || typeCode >= kCategoryCount) return 0;
    int found = 0;
    for (int k : columnsWithLabel(grid, entryCount, label)) {
        if (grid.cell(k, kTypeRow) == kTypeNames[static_cast<std::size_t>(typeCode)]) found = k;
    }
    return found;
}

int findComponentColumn(const TextTable& grid, const std::string& text) {
    for (int k = 1; k < grid.colCount(); ++k) {
        if (nameContains(grid.cell(k, kLabelRow), text)) return k;
    }
    return 0;
}

bool isNewLabel(const TextTable& grid, int entryCount, const std::string& label) {
    return !label.empty() && columnsWithLabel(grid, entryCount, label).empty();
}

std::array<bool, kNumericFieldCount> applicableFields(int typeCode) {
    // Columns: wavelength, attenuation, gain, source RMS, PMD, CD, specific attenuation,
    // sensitivity. A source's output level goes into the gain, a fibre's loss per kilometre
    // into the specific attenuation; only a connector has a plain attenuation.
    static constexpr std::array<std::array<bool, kNumericFieldCount>, kCategoryCount> table = {{
        {true, false, true, true, false, false, false, false},    // Zdroj
        {true, false, false, false, true, true, true, false},     // Vlákno
        {true, false, false, false, false, false, false, true},   // Detektor
        {false, true, false, false, false, false, false, false},  // Konektor
        {true, false, true, false, false, false, false, false},   // Zesilovač
    }};
    if (typeCode < 0 || typeCode >= kCategoryCount) return {};
    return table[static_cast<std::size_t>(typeCode)];
}

EntryFields entryFieldsFromColumn(const TextTable& grid, int k) {
    EntryFields fields;
    for (LibrarySlot s : kLibrarySlots) fields[static_cast<std::size_t>(s)] = grid.cell(k, gridRow(s));
    return fields;
}

std::unique_ptr<LibraryEntry> buildLibraryEntry(int typeCode, const EntryFields& fields) {
    auto entry = std::make_unique<LibraryEntry>();
    setTypeCode(*entry, typeCode);
    for (LibrarySlot s : kLibrarySlots) SetSlotText(*entry, s, fields[static_cast<std::size_t>(s)]);
    return entry;
}

}  // namespace lumor
