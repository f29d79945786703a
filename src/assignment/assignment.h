#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lumor {

/// A teacher's assignment, as an assignment file (*.zadani) sets it: a name, a task text and
/// the limits a route must keep. A limit that is not set is no requirement.
struct Assignment {
    std::string title;                       ///< "nazev"; may be empty
    std::string description;                 ///< "popis"; may be empty
    std::optional<double> minFibreLength;    ///< km, "delka_min_km"
    std::optional<double> maxFibreLength;    ///< km, "delka_max_km"
    std::optional<double> minMargin;         ///< dB, "rezerva_min_db": level at the detector minus its sensitivity
    std::optional<double> minBitRate;        ///< Gbit/s, "rychlost_min_gbit_s": the bit-rate estimate
    std::optional<long long> maxAmplifiers;  ///< "zesilovacu_max": components of type "Zesilovač"
    std::optional<long long> maxComponents;  ///< "komponent_max": components of the route
};

/// The assignment a file's text (UTF-8, TOML) sets, or why there is none: a Czech message naming
/// the line ("řádek 7: „delka_max_km“ (50) je menší než „delka_min_km“ (80) z řádku 6"). An
/// unknown key, a value of the wrong type and a number out of range are refused as well as text
/// that is no TOML.
struct ParsedAssignment {
    std::optional<Assignment> assignment;
    std::string problem;  ///< empty when there is an assignment
};
ParsedAssignment parseAssignment(std::string_view text);

/// An assignment file read from disk, as `readAssignmentFile` gives it.
struct AssignmentFile {
    std::optional<Assignment> assignment;
    std::string problem;   ///< why there is no assignment, Czech: the file unreadable, or the parse's reason
    std::string encoding;  ///< "" for UTF-8; else the encoding the text was read in ("windows-1250"…)
};

/// Reads and parses an assignment file of at most 1 MB. UTF-8 with or without its byte order mark
/// is what the file should be; UTF-16 with its mark and windows-1250, which Windows editors
/// save, are read too and named in `encoding`.
AssignmentFile readAssignmentFile(const std::string& path);

}  // namespace lumor
