#pragma once
#include "eval/route_result.h"
#include "route/route_list.h"

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

/// One value of a route line: "zisk = 3 dB" is {"zisk", "3", "dB"}.
struct ReportValue {
    std::string name;
    std::string value;  ///< the slot's text as the route holds it
    std::string unit;
};

/// One line of the report's route: "Vlákno: G.652, útlum = 2,5 dB, …".
struct ReportRouteLine {
    std::string kind;  ///< "Zdroj", "Vlákno", "Konektor", "Zesilovač", "Detektor"
    std::string label;
    std::vector<ReportValue> values;
};

/// What a report says, as data: the page and the PDF are both written from it.
struct ReportContent {
    StudentTexts student;  ///< "neuvedeno" in place of each empty text
    /// The source line (component 1), a line for each fibre, connector and amplifier in route
    /// order (sources and detectors elsewhere in the route have none), the detector line (the
    /// last component). An empty route gives empty source and detector texts.
    std::vector<ReportRouteLine> route;
    std::string endAttenuation;  ///< dB, rounded to hundredths
    std::string sensitivity;     ///< dB, the detector's slot text
    std::string endCd;           ///< ns, rounded to hundredths
    std::string endPmd;          ///< ps, rounded to hundredths
    /// The conclusion's first five lines, the empty ones left out.
    std::vector<std::string> conclusion;
};

/// The report's content for the route's records, its end values and the conclusion's lines.
ReportContent reportContent(const StudentTexts& student, const RouteList& route, const RouteResult& result,
                            const std::vector<std::string>& conclusion);

/// The whole measurement report page as the bytes of the file: code page 1250, CR LF line
/// ends. Inserted values are escaped for HTML, control characters other than line breaks are
/// replaced (a tab by a blank, the others by U+FFFD), and a character code page 1250 lacks becomes
/// a numeric character reference.
std::string reportPage(const ReportContent& content);

/// The page of `reportContent(student, route, result, conclusion)`.
std::string reportPage(const StudentTexts& student, const RouteList& route, const RouteResult& result,
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
