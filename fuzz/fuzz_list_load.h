#pragma once
// The checks shared by the route file and the library file targets.
#include "fuzz_common.h"
#include "text/cp1250.h"
#include "text/slot_image.h"

#include <algorithm>

namespace lumor::fuzz {

/// Loads `bytes` as a list file and checks: at most 999 records, exactly the whole records
/// the data hold, a save image equal to those bytes, the grid mirroring every record, and
/// every slot text encoding back to the bytes it was read from.
template <class List, class Record>
void checkListLoad(std::string_view bytes) {
    SilentMessages messages;
    List list(messages);
    list.loadBytes(bytes);

    const std::size_t whole = bytes.size() / Record::kImageSize;
    const int expected = static_cast<int>(std::min<std::size_t>(whole, kMaxRecords));
    LUMOR_FUZZ_CHECK(list.count() <= kMaxRecords);
    LUMOR_FUZZ_CHECK(list.count() == expected);
    LUMOR_FUZZ_CHECK(messages.warnings == (whole > static_cast<std::size_t>(kMaxRecords) ? 1 : 0));
    LUMOR_FUZZ_CHECK(list.colCount() == 1 + std::max(1, list.count()));

    const std::string saved = list.imageBytes();
    LUMOR_FUZZ_CHECK(saved.size() == static_cast<std::size_t>(expected) * Record::kImageSize);
    LUMOR_FUZZ_CHECK(saved == bytes.substr(0, saved.size()));

    for (int k = 1; k <= list.count(); ++k) {
        const Record& record = list.at(k);
        for (int s = 0; s < Record::kSlotCount; ++s) {
            const unsigned char* slot = record.image.data() + s * kSlotSize;
            const std::string text = SlotText(record, static_cast<typename Record::Slot>(s));
            // Every byte decodes to a character that encodes back to the same byte.
            LUMOR_FUZZ_CHECK(utf8ToCp1250(text) == std::string(reinterpret_cast<const char*>(slot + 1), slot[0]));
            LUMOR_FUZZ_CHECK(utf8Length(text) == slot[0]);
        }
    }

    // Loading the saved image again gives the same list.
    List again(messages);
    again.loadBytes(saved);
    LUMOR_FUZZ_CHECK(again.imageBytes() == saved);
    for (int c = 1; c < list.colCount(); ++c) {
        for (int r = 1; r < kGridRows; ++r) LUMOR_FUZZ_CHECK(again.cell(c, r) == list.cell(c, r));
    }
}

}  // namespace lumor::fuzz
