#include "platform/ui/desk.h"

namespace lumor {

std::string exceptionBoxText(const std::string& message) {
    if (!message.empty() && message.back() == '.') return message;
    return message + ".";
}

}  // namespace lumor
