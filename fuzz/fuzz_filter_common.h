#pragma once
#include "fuzz_common.h"
#include "text/typed_input.h"

namespace lumor::fuzz {

/// Checks a number field's rule on any text: a text it takes is kept character for character
/// (a full stop as the comma) and holds digits, at most one comma and, where the field takes
/// one, a minus only at its start, at most 31 characters, and is taken again unchanged; a text
/// it refuses gets a reason and nothing to keep.
inline void checkNumberField(std::string_view input, NumberSign sign) {
    const std::string text(input);
    const TypedNumber typed = typedNumber(text, sign);
    if (!typed.refusal.empty()) {
        LUMOR_FUZZ_CHECK(typed.text.empty());
        return;
    }
    LUMOR_FUZZ_CHECK(typed.text.size() == text.size());
    LUMOR_FUZZ_CHECK(typed.text.size() <= kMaxInputChars);
    int commas = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = typed.text[i];
        LUMOR_FUZZ_CHECK(c == text[i] || (c == ',' && text[i] == '.'));
        if (c == ',') {
            ++commas;
        } else if (c == '-') {
            LUMOR_FUZZ_CHECK(i == 0 && sign == NumberSign::MayBeNegative);
        } else {
            LUMOR_FUZZ_CHECK(c >= '0' && c <= '9');
        }
    }
    LUMOR_FUZZ_CHECK(commas <= 1);
    const TypedNumber again = typedNumber(typed.text, sign);
    LUMOR_FUZZ_CHECK(again.refusal.empty() && again.text == typed.text);
}

}  // namespace lumor::fuzz
