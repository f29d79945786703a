#pragma once
#include <string>
#include <variant>

namespace lumor::cli {

/// Why an input file could not be read, in Czech.
struct ReadFailure {
    std::string reason;
};

/// The whole content of a file, or why it could not be read.
std::variant<std::string, ReadFailure> readInputFile(const std::string& path);

}  // namespace lumor::cli
