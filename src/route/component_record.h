#pragma once
#include <array>
#include <cstddef>
#include <string>

namespace lumor {

/// Slots of a route component, in the order of their bytes and of the route grid's rows 1-11.
enum ComponentSlot : int {
    Type = 0,
    Label,
    Wavelength,
    Attenuation,
    Gain,
    SourceRms,
    Pmd,
    Cd,
    Length,
    Sensitivity,
    Note,
};

/// One route component as its 2816-byte image: eleven 256-byte length-prefixed text slots.
struct ComponentRecord {
    static constexpr int kSlotCount = 11;
    static constexpr std::size_t kImageSize = 2816;
    /// A record read from a file starts with every slot empty (all bytes zero).
    std::array<unsigned char, kImageSize> image{};
};

/// Stores the first 255 characters of `text` into slot `slot` (code page 1250).
void SetSlotText(ComponentRecord& record, int slot, const std::string& text);
/// The text of slot `slot`, in UTF-8.
std::string SlotText(const ComponentRecord& record, int slot);

/// The row captions of the route grid, rows 1 to 11 ("typ" to "poznámka").
const std::array<std::string, 11>& RouteRowCaptions();

}  // namespace lumor
