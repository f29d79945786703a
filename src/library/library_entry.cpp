#include "library/library_entry.h"

#include "route/component_record.h"

#include "text/slot_image.h"

namespace lumor {

const std::array<std::string, 11>& libraryRowCaptions() {
    static const std::array<std::string, 11> captions = [] {
        auto c = routeRowCaptions();
        // The library keeps the specific attenuation where the route has the length.
        c[static_cast<std::size_t>(gridRow(LibrarySlot::SpecificAttenuation) - 1)] = "měrný útlum [dB/km]";
        return c;
    }();
    return captions;
}

void setSlotText(LibraryEntry& entry, LibrarySlot slot, const std::string& text) {
    writeSlot(entry.image.data() + kSlotSize * static_cast<std::size_t>(slot), text);
}

std::string slotText(const LibraryEntry& entry, LibrarySlot slot) {
    return readSlot(entry.image.data() + kSlotSize * static_cast<std::size_t>(slot));
}

std::int32_t typeCode(const LibraryEntry& entry) {
    const unsigned char* p = entry.image.data() + LibraryEntry::kTypeCodeOffset;
    const std::uint32_t u =
        std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
    return static_cast<std::int32_t>(u);
}

void setTypeCode(LibraryEntry& entry, std::int32_t code) {
    const auto u = static_cast<std::uint32_t>(code);
    unsigned char* p = entry.image.data() + LibraryEntry::kTypeCodeOffset;
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(u >> (8 * i));
}

}  // namespace lumor
