#pragma once
#include "assignment/grading.h"
#include "eval/gui/vector_canvas.h"
#include "eval/link_verdict.h"
#include "report/report_writer.h"

#include <QImage>

#include <array>
#include <optional>
#include <string>

namespace lumor {

/// The report's PDF, written beside the page.
inline const std::string kReportPdfName = "Protokol.pdf";

/// The report as an A4 PDF built from its content, in the page's order and fonts: the header
/// with the logo, course, task, name, date and group; the route; the three graphs, drawn as
/// vectors from their drawings (lines as paths, texts as text); the results; then, beyond the
/// page, the verdict (level, sensitivity, margin, whether the detector receives the signal, the
/// bit-rate estimate with its limiting effect and rule); the conclusion's lines each on a line
/// of its own. The logo is its only picture (left out when null). Numbers and their units are
/// joined by no-break spaces, and letters are never set as ligatures, so the text extracts as
/// it was typed. The document's title is "Protokol", its creator "Lumor"; with `creationTime`
/// (seconds since 1970, UTC) the creation date is that time and the same inputs give the same
/// bytes. Returns nothing when Qt cannot produce the document.
/// The teacher's assignment as the report gives it: its name and the route's grading.
struct ReportAssignment {
    std::string title;
    Grading grading;
};

/// With an assignment, the requirements follow the verdict, each with the route's value, its
/// limit and "splněno" or "nesplněno", and whether the route meets the assignment as a whole.
std::optional<std::string> reportPdf(const ReportContent& content, const LinkVerdict& verdict,
                                     const std::array<VectorCanvas, 3>& graphs, const QImage& logo,
                                     std::optional<long long> creationTime,
                                     const std::optional<ReportAssignment>& assignment = std::nullopt);

/// The creation time reproducible builds ask for: SOURCE_DATE_EPOCH when it holds a whole
/// number of seconds, otherwise nothing (the PDF then carries the current time).
std::optional<long long> reportPdfTime();

}  // namespace lumor
