#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace lumor {

/// The conclusion as the main window keeps it: its first five lines, at most 550 characters
/// (a line break counts as one).
std::string limitConclusion(const std::string& text);

/// A conclusion after an edit, with the cursor (in characters) where it ends up.
struct LimitedConclusion {
    std::string text;
    std::size_t cursor = 0;
    std::string refusal;  ///< what was not kept and why, in Czech; empty when all was kept
};
/// As above for text being typed: characters over 550 are the ones just typed, before the
/// cursor, so typing into a full conclusion changes nothing instead of losing its end.
LimitedConclusion limitConclusion(const std::string& text, std::size_t cursor);

/// The conclusion's lines, split at line breaks (a trailing CR is dropped).
std::vector<std::string> conclusionLines(const std::string& text);

}  // namespace lumor
