#include "route/component_record.h"

#include "text/slot_image.h"

namespace lumor {

const std::array<std::string, 11>& RouteRowCaptions() {
    // Made on first use, so that other constants built from it never see it unmade.
    static const std::array<std::string, 11> captions = {
        "typ",
        "označení",
        "vlnová délka [nm]",
        "útlum [dB]",
        "zisk [dB]",
        "rms spek. zdroje [nm]",
        "PMD [ps/(km^0,5)]",
        "CD [ps/(km.nm)]",
        "délka vlákna [km]",
        "citlivost [dB]",
        "poznámka",
    };
    return captions;
}

void SetSlotText(ComponentRecord& record, int slot, const std::string& text) {
    if (slot < 0 || slot >= ComponentRecord::kSlotCount) return;
    writeSlot(record.image.data() + kSlotSize * static_cast<std::size_t>(slot), text);
}

std::string SlotText(const ComponentRecord& record, int slot) {
    if (slot < 0 || slot >= ComponentRecord::kSlotCount) return {};
    return readSlot(record.image.data() + kSlotSize * static_cast<std::size_t>(slot));
}

}  // namespace lumor
