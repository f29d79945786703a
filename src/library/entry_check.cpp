#include "library/entry_check.h"

#include "text/errors.h"
#include "text/numbers.h"

namespace lumor {

std::optional<FieldFault> firstFieldFault(int typeCode, const EntryFields& fields) {
    const auto applicable = applicableFields(typeCode);
    for (int f = 0; f < kNumericFieldCount; ++f) {
        if (!applicable[static_cast<std::size_t>(f)]) continue;
        const auto slot = static_cast<LibrarySlot>(f + 1);
        const std::string& text = fields[static_cast<std::size_t>(slot)];
        if (text.empty()) return FieldFault{slot, true};
        try {
            SlotNumber(text);
        } catch (const ConversionError&) {
            return FieldFault{slot, false};
        }
    }
    return std::nullopt;
}

}  // namespace lumor
