// The fibre-length field's rule: digits and at most one comma (typed as a comma or a full stop).
#include "fuzz_filter_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumor::fuzz::checkNumberField(lumor::fuzz::bytesOf(data, size), lumor::NumberSign::PositiveOnly);
    return 0;
}
