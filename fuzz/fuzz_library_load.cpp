// A library file (*.komp) of any content, type codes outside 0 to 4 included.
#include "fuzz_list_load.h"
#include "library/component_library.h"
#include "route/component_types.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    fuzz::checkListLoad<ComponentLibrary, LibraryEntry>(bytes);

    fuzz::SilentMessages messages;
    ComponentLibrary library(messages);
    library.loadBytes(bytes);
    for (int k = 1; k <= library.count(); ++k) {
        LUMOR_FUZZ_CHECK(library.cell(k, 1) == typeNameOfCode(typeCode(library.at(k))));
    }
    return 0;
}
