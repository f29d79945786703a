#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumor {

/// Slots of a library entry, in the order of their bytes (library grid rows 2 to 11).
enum class LibrarySlot {
    Label,
    Wavelength,
    Attenuation,
    Gain,
    SourceRms,
    Pmd,
    Cd,
    SpecificAttenuation,
    Sensitivity,
    Note
};

/// Every slot, in order.
inline constexpr std::array<LibrarySlot, 10> kLibrarySlots = {
    LibrarySlot::Label,       LibrarySlot::Wavelength, LibrarySlot::Attenuation, LibrarySlot::Gain,
    LibrarySlot::SourceRms,   LibrarySlot::Pmd,        LibrarySlot::Cd,          LibrarySlot::SpecificAttenuation,
    LibrarySlot::Sensitivity, LibrarySlot::Note};

/// The library grid row that shows a slot, 2 (label) to 11 (note); row 1 holds the type name.
constexpr int gridRow(LibrarySlot slot) { return static_cast<int>(slot) + 2; }

/// One catalogue entry as its 2564-byte image: ten 256-byte text slots, then the 32-bit
/// little-endian `TypeCode` (0 "Zdroj" … 4 "Zesilovač").
struct LibraryEntry {
    using Slot = LibrarySlot;
    static constexpr int kSlotCount = 10;
    static constexpr std::size_t kTypeCodeOffset = 2560;
    static constexpr std::size_t kImageSize = 2564;
    std::array<unsigned char, kImageSize> image{};
};

/// Stores the first 255 characters of `text` into the slot (code page 1250).
void setSlotText(LibraryEntry& entry, LibrarySlot slot, const std::string& text);
/// The text of the slot, in UTF-8.
std::string slotText(const LibraryEntry& entry, LibrarySlot slot);
/// The `TypeCode`, read little-endian whatever the machine.
std::int32_t typeCode(const LibraryEntry& entry);
/// Stores the `TypeCode`, little-endian.
void setTypeCode(LibraryEntry& entry, std::int32_t code);

/// The library grid's row captions, rows 1 to 11; row 9 is "měrný útlum [dB/km]".
const std::array<std::string, 11>& libraryRowCaptions();

}  // namespace lumor
