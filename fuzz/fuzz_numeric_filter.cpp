// The component editor's number fields: digits, at most one comma, a minus at the start.
#include "fuzz_filter_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumor::fuzz::checkNumberField(lumor::fuzz::bytesOf(data, size), lumor::NumberSign::MayBeNegative);
    return 0;
}
