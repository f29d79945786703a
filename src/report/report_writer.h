#pragma once
#include "eval/route_result.h"
#include "text/text_table.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace lumor {

/// The student's data as the main window's labels show it; an empty text is written as
/// "neuvedeno".
struct StudentTexts {
    std::string firstName;
    std::string surname;
    std::string date;
    std::string group;
    bool operator==(const StudentTexts&) const = default;
};

/// The whole measurement report page as the bytes of the file: code page 1250, CR LF line
/// ends. Inserted values are escaped for HTML, control characters other than line breaks are
/// replaced (a tab by a blank, the others by U+FFFD), and a character code page 1250 lacks becomes
/// a numeric character reference. Only the first five conclusion lines are used.
std::string reportPage(const StudentTexts& student, const TextTable& routeGrid, const RouteResult& result,
                       const std::vector<std::string>& conclusion);

/// The folder "Protokol" in the given program folder, ending with a separator; the draw
/// saves the graph pictures there and the report command writes the page.
std::string protocolFolder(const std::string& programFolder);

/// The report file in the given program folder: folder + "Protokol/Protokol.html", with a
/// separator added when the folder text does not end with one.
std::string ReportPath(const std::string& programFolder);

/// Writes the page to `path` as a new file (writeNewFile: a link there is replaced, not
/// followed), replacing any earlier file only by the complete new one.
/// Returns the Czech error text naming the file on failure, nothing on success (the file is
/// then complete and closed).
std::optional<std::string> saveReport(const std::string& path, const std::string& page);

}  // namespace lumor
