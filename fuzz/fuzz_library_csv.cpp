// Importing a library from its CSV text: either a LibraryCsvError or entries that survive
// export, import and the library file unchanged.
#include "fuzz_common.h"
#include "library/component_library.h"
#include "library/library_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    std::vector<LibraryEntry> entries;
    try {
        entries = parseLibraryCsv(fuzz::bytesOf(data, size));
    } catch (const LibraryCsvError& e) {
        LUMOR_FUZZ_CHECK(e.line() >= 1);
        LUMOR_FUZZ_CHECK(!e.reason().empty());
        return 0;
    } catch (...) {
        fuzz::fail("parseLibraryCsv threw something other than LibraryCsvError");
    }
    LUMOR_FUZZ_CHECK(entries.size() <= static_cast<std::size_t>(kMaxRecords));

    const std::string csv = libraryCsvText(entries);
    std::vector<LibraryEntry> again;
    try {
        again = parseLibraryCsv(csv);
    } catch (...) {
        fuzz::fail("the exported CSV of an imported library is refused");
    }
    LUMOR_FUZZ_CHECK(libraryFileBytes(again) == libraryFileBytes(entries));

    const std::string file = libraryFileBytes(entries);
    LUMOR_FUZZ_CHECK(file.size() == entries.size() * LibraryEntry::kImageSize);
    fuzz::SilentMessages messages;
    ComponentLibrary library(messages);
    library.loadBytes(file);
    LUMOR_FUZZ_CHECK(library.imageBytes() == file);
    LUMOR_FUZZ_CHECK(libraryCsvText(library) == csv);
    return 0;
}
