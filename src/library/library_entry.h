#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumor {

/// Slots of a library entry, in the order of their bytes (grid rows 2 to 11).
enum LibrarySlot : int {
    EntryLabel = 0,
    EntryWavelength,
    EntryAttenuation,
    EntryGain,
    EntrySourceRms,
    EntryPmd,
    EntryCd,
    SpecificAttenuation,
    EntrySensitivity,
    EntryNote,
};

/// One catalogue entry as its 2564-byte image: ten 256-byte text slots, then the 32-bit
/// little-endian `TypeCode` (0 "Zdroj" … 4 "Zesilovač").
struct LibraryEntry {
    static constexpr int kSlotCount = 10;
    static constexpr std::size_t kTypeCodeOffset = 2560;
    static constexpr std::size_t kImageSize = 2564;
    std::array<unsigned char, kImageSize> image{};
};

void SetSlotText(LibraryEntry& entry, int slot, const std::string& text);
std::string SlotText(const LibraryEntry& entry, int slot);
/// The type code, read little-endian whatever the machine.
std::int32_t TypeCode(const LibraryEntry& entry);
void SetTypeCode(LibraryEntry& entry, std::int32_t code);

/// The library grid's row captions, rows 1 to 11; row 9 is "měrný útlum [dB/km]".
const std::array<std::string, 11>& LibraryRowCaptions();

}  // namespace lumor
