#pragma once
#include "assignment/assignment.h"
#include "report/report_writer.h"
#include "route/route_list.h"
#include "text/file_io.h"

#include <QImage>

#include <optional>
#include <string>
#include <vector>

namespace lumor {

/// What a report is made of besides the route.
struct ReportRequest {
    StudentTexts student;
    std::vector<std::string> conclusion;    ///< the conclusion's lines (`conclusionLines`)
    QImage logo;                            ///< "ORV.gif"; a null picture is left out of the PDF
    bool pdf = true;                        ///< false: no "Protokol.pdf" (lumor-cli --no-pdf)
    std::optional<long long> creationTime;  ///< the PDF's creation date (`reportPdfTime`)
    /// The teacher's assignment: the PDF lists its requirements and whether the route meets them.
    std::optional<Assignment> assignment;
};

/// A report's files, or why the route gets none.
struct ReportFiles {
    /// "Protokol.html", "Protokol.pdf", "att.bmp", "cd.bmp", "pmd.bmp".
    std::vector<NamedFile> files;
    std::string refusal;  ///< Czech; the files are then empty
};

/// The one way a report is made, for the main window's "Protokol" and `lumor-cli report`: the
/// route as it is now is evaluated, its three enlarged graphs drawn as the draw command draws
/// them, and the page, the PDF and the three pictures made from that one evaluation, in
/// memory; the caller writes them together, all or nothing (`writeFileSet`). An incomplete
/// route is refused with the reason of `incompleteRouteReason`; a route the evaluation refuses
/// (a slot that is no number, a negative length) throws what the evaluation throws.
ReportFiles reportFiles(const RouteList& route, const ReportRequest& request);

/// The logo "ORV.gif" in the folder (ending with a separator, or not), read as a regular file
/// of at most a few MB (nothing can make it wait); a null picture when it cannot be read.
QImage loadReportLogo(const std::string& folder);

}  // namespace lumor
