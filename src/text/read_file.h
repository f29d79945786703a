#pragma once
#include <cstddef>
#include <limits>
#include <string>
#include <variant>

namespace lumor {

/// Why a file could not be read, in Czech.
struct ReadFailure {
    std::string reason;
};

/// The bytes of the file at the path (UTF-8), at most `limit` of them, or why it could not be
/// read: "soubor neexistuje", "je to složka, ne soubor", "je to zařízení, ne obyčejný
/// soubor" (a pipe, a socket…), a dangling link or a loop of links, "přístup odepřen", the
/// system's other reasons in Czech ("disk ohlásil chybu čtení nebo zápisu"…), "chyba při
/// čtení souboru: …". Only regular files are read (links followed),
/// opened so that nothing can block. Every file the program and lumor-cli read goes through
/// here.
std::variant<std::string, ReadFailure> readFileBytes(const std::string& path,
                                                     std::size_t limit = std::numeric_limits<std::size_t>::max());

/// As readFileBytes, but a file of more than `cap` bytes is refused ("soubor je příliš velký,
/// nejvýš 1 MB") after reading no more than one byte past the cap.
std::variant<std::string, ReadFailure> readBoundedFile(const std::string& path, std::size_t cap);

}  // namespace lumor
