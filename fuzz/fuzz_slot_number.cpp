// slotNumber on any text: a finite number or ConversionError naming the text, nothing else.
#include "fuzz_common.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    const std::string_view text = fuzz::bytesOf(data, size);
    double value = 0;
    try {
        value = slotNumber(text);
    } catch (const ConversionError& e) {
        LUMOR_FUZZ_CHECK(e.offendingText() == text);
        return 0;
    } catch (...) {
        fuzz::fail("slotNumber threw something other than ConversionError");
    }
    LUMOR_FUZZ_CHECK(std::isfinite(value));
    // Only blanks, signs, digits, the comma and an exponent make a number: no full stop, no
    // "inf", "nan" or hexadecimal forms, whatever the C locale says.
    LUMOR_FUZZ_CHECK(text.find_first_not_of(" +-0123456789,eE") == std::string_view::npos);
    LUMOR_FUZZ_CHECK(text.find_first_of("0123456789") != std::string_view::npos);

    // The program's own text of the number reads back as (nearly) the same number.
    const std::string shown = numberText(value);
    double back = 0;
    try {
        back = slotNumber(shown);
    } catch (...) {
        fuzz::fail("slotNumber refuses a text numberText made");
    }
    LUMOR_FUZZ_CHECK(std::fabs(back - value) <= 1e-14 * std::fabs(value));
    return 0;
}
