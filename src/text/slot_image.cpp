#include "text/slot_image.h"

#include "text/cp1250.h"

#include <cstring>

namespace lumor {

void writeSlot(unsigned char* slot, const std::string& text) {
    std::string bytes = utf8ToCp1250(text);
    if (bytes.size() > kMaxSlotText) bytes.resize(kMaxSlotText);
    std::memset(slot, 0, kSlotSize);
    slot[0] = static_cast<unsigned char>(bytes.size());
    std::memcpy(slot + 1, bytes.data(), bytes.size());
}

std::string readSlot(const unsigned char* slot) {
    return cp1250ToUtf8(std::string(reinterpret_cast<const char*>(slot + 1), slot[0]));
}

}  // namespace lumor
