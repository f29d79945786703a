#pragma once
#include <QImage>

#include <array>
#include <optional>
#include <string>

namespace lumor {

/// The report's PDF, written beside the page.
inline const std::string kReportPdfName = "Protokol.pdf";

/// The pictures the report page shows, by the files it names: the logo "ORV.gif" and the
/// enlarged graphs "att.bmp", "cd.bmp", "pmd.bmp". A null picture is left out of the PDF.
struct ReportPictures {
    QImage logo;
    std::array<QImage, 3> graphs;
};

/// The report page (its file's bytes, code page 1250) rendered to an A4 PDF with its pictures
/// embedded and its text as text; the conclusion's lines each on a line of their own. The
/// document's title is "Protokol", its creator "Lumor"; with `creationTime` (seconds since
/// 1970, UTC) the creation date is that time and the same page and pictures give the same
/// bytes. Nothing is read from files. Returns nothing when Qt cannot produce the document.
std::optional<std::string> reportPdf(const std::string& pageBytes, const ReportPictures& pictures,
                                     std::optional<long long> creationTime);

/// The creation time reproducible builds ask for: SOURCE_DATE_EPOCH when it holds a whole
/// number of seconds, otherwise nothing (the PDF then carries the current time).
std::optional<long long> reportPdfTime();

/// Renders the page with its pictures (creation time from `reportPdfTime`) and writes the PDF
/// to `path` as `saveReport` writes the page. Returns the Czech error text naming the file on
/// failure, nothing on success.
std::optional<std::string> saveReportPdf(const std::string& path, const std::string& pageBytes,
                                         const ReportPictures& pictures);

/// Loads the pictures the page in `folder` (ending with a separator, or not) shows, from
/// their files there; a file that is missing or unreadable gives a null picture.
ReportPictures loadReportPictures(const std::string& folder);

}  // namespace lumor
