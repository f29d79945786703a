#pragma once
#include "fuzz_common.h"
#include "text/cp1250.h"
#include "text/typed_input.h"

namespace lumor::fuzz {

/// Checks an input filter's output: only allowed characters, at most 31 of them, the same
/// text once more through the filter, and the characters kept in the order typed.
template <class Filter, class Allowed>
void checkFilter(Filter filter, Allowed allowed, std::string_view input, bool commaTypedAsStop = false) {
    const std::string text(input);
    const std::string out = filter(text);
    LUMOR_FUZZ_CHECK(out.size() <= kMaxInputChars);
    LUMOR_FUZZ_CHECK(allowed(out));
    LUMOR_FUZZ_CHECK(filter(out) == out);
    // A subsequence of what was typed (ASCII characters only, so bytes compare); a comma may
    // have been typed as a full stop where the filter takes one for it.
    std::size_t at = 0;
    for (char c : out) {
        at = c == ',' && commaTypedAsStop ? text.find_first_of(",.", at) : text.find(c, at);
        LUMOR_FUZZ_CHECK(at != std::string::npos);
        ++at;
    }
}

}  // namespace lumor::fuzz
