// The fibre-length field's filter: digits and at most one comma (typed as a comma or a full stop).
#include "fuzz_filter_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    fuzz::checkFilter(
        filterLengthText,
        [](const std::string& out) {
            int commas = 0;
            for (char c : out) {
                if (c == ',') {
                    ++commas;
                } else if (c < '0' || c > '9') {
                    return false;
                }
            }
            return commas <= 1;
        },
        fuzz::bytesOf(data, size), true);
    return 0;
}
