#pragma once
#include <cstddef>
#include <string>

namespace lumor {

/// Bytes of one length-prefixed text slot: the length byte and up to 255 characters.
constexpr std::size_t kSlotSize = 256;
/// Longest text a slot holds, in characters (code page 1250 has one byte per character).
constexpr std::size_t kMaxSlotText = 255;

/// Stores UTF-8 text into the slot at `slot` (256 bytes) in code page 1250, cut to its
/// first 255 characters. Characters the code page lacks become "?". The bytes after the
/// text are zeroed.
void writeSlot(unsigned char* slot, const std::string& text);

/// The slot's text, decoded to UTF-8; exactly as many characters as its length byte says.
std::string readSlot(const unsigned char* slot);

}  // namespace lumor
