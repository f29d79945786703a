// A route file (*.trasa) of any content.
#include "fuzz_list_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    fuzz::checkListLoad<RouteList, ComponentRecord>(fuzz::bytesOf(data, size));
    return 0;
}
