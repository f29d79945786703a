#pragma once
#include "library/library_rules.h"

#include <optional>

namespace lumor {

/// A number field of the component editor that cannot be stored as it is.
struct FieldFault {
    LibrarySlot slot;   ///< Wavelength to Sensitivity: `Edit2` to `Edit9`
    bool empty = true;  ///< empty; otherwise it holds a text that is no number
};

/// The first of the number fields that apply to the type (in the editor's order) that is empty
/// or holds no number as the evaluation reads numbers (`SlotNumber`); nothing when every one
/// holds a number. Fields that do not apply (holding "-") are not asked.
std::optional<FieldFault> firstFieldFault(int typeCode, const EntryFields& fields);

}  // namespace lumor
