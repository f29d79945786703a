#pragma once
#include <array>
#include <cstddef>
#include <string>

namespace lumor {

/// Slots of a route component, in the order of their bytes and of the route grid's rows 1-11.
enum class ComponentSlot { Type, Label, Wavelength, Attenuation, Gain, SourceRms, Pmd, Cd, Length, Sensitivity, Note };

/// Every slot, in order.
inline constexpr std::array<ComponentSlot, 11> kComponentSlots = {
    ComponentSlot::Type,   ComponentSlot::Label,       ComponentSlot::Wavelength, ComponentSlot::Attenuation,
    ComponentSlot::Gain,   ComponentSlot::SourceRms,   ComponentSlot::Pmd,        ComponentSlot::Cd,
    ComponentSlot::Length, ComponentSlot::Sensitivity, ComponentSlot::Note};

/// The grid row that shows a slot: row 1 the type, row 2 the label … row 11 the note. The
/// library grid has the same rows, but for row 9, which holds its specific attenuation.
constexpr int gridRow(ComponentSlot slot) { return static_cast<int>(slot) + 1; }

/// One route component as its 2816-byte image: eleven 256-byte length-prefixed text slots.
struct ComponentRecord {
    using Slot = ComponentSlot;
    static constexpr int kSlotCount = 11;
    static constexpr std::size_t kImageSize = 2816;
    /// A record read from a file starts with every slot empty (all bytes zero).
    std::array<unsigned char, kImageSize> image{};
};

/// Stores the first 255 characters of `text` into the slot (code page 1250).
void setSlotText(ComponentRecord& record, ComponentSlot slot, const std::string& text);
/// The text of the slot, in UTF-8.
std::string slotText(const ComponentRecord& record, ComponentSlot slot);

/// The row captions of the route grid, rows 1 to 11 ("typ" to "poznámka").
const std::array<std::string, 11>& routeRowCaptions();

}  // namespace lumor
