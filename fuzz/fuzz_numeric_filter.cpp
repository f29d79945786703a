// The component editor's numeric filter: digits, commas, and minus signs before the first comma.
#include "fuzz_filter_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    fuzz::checkFilter(
        filterNumericText,
        [](const std::string& out) {
            bool comma = false;
            for (char c : out) {
                if (c == ',') {
                    comma = true;
                } else if (c == '-') {
                    if (comma) return false;
                } else if (c < '0' || c > '9') {
                    return false;
                }
            }
            return true;
        },
        fuzz::bytesOf(data, size));
    return 0;
}
