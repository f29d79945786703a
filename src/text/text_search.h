#pragma once
#include <string>
#include <string_view>

namespace lumor {

/// UTF-8 text as a search compares it: letters in lower case, and the Latin letters with
/// accents (Czech "č", "ř", "ů" and the others of code page 1250) as their plain letter.
/// Other characters stay as they are.
std::string searchFolded(std::string_view text);

/// Whether `name` contains `text` ignoring letter case and accents: "edfa" and "EDFA LINKOVY"
/// are found in "EDFA linkový". Every name contains the empty text.
bool nameContains(std::string_view name, std::string_view text);

}  // namespace lumor
