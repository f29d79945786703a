#include "route/component_record.h"

#include "text/slot_image.h"

namespace lumor {

const std::array<std::string, 11>& routeRowCaptions() {
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

void setSlotText(ComponentRecord& record, ComponentSlot slot, const std::string& text) {
    writeSlot(record.image.data() + kSlotSize * static_cast<std::size_t>(slot), text);
}

std::string slotText(const ComponentRecord& record, ComponentSlot slot) {
    return readSlot(record.image.data() + kSlotSize * static_cast<std::size_t>(slot));
}

}  // namespace lumor
