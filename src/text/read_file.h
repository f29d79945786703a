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
/// read: "soubor neexistuje", "je to složka, ne soubor", "přístup odepřen", "soubor nelze
/// otevřít", "chyba při čtení souboru". Every file the program and lumor-cli read goes
/// through here.
std::variant<std::string, ReadFailure> readFileBytes(const std::string& path,
                                                     std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace lumor
