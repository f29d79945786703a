#pragma once
#include "text/file_io.h"

#include <QImage>

#include <array>
#include <optional>
#include <string>
#include <vector>

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

/// Renders the page with its pictures (creation time from `reportPdfTime`) and adds the PDF to
/// the report's files as "Protokol.pdf", to be written with them all or nothing. Returns the
/// Czech error text naming the file in `folder` when Qt cannot produce it, nothing on success.
std::optional<std::string> addReportPdf(std::vector<NamedFile>& files, const std::string& folder,
                                        const std::string& pageBytes, const ReportPictures& pictures);

/// Loads the pictures the page in `folder` (ending with a separator, or not) shows, from
/// their files there (regular files of at most a few MB only: nothing can make it wait); a
/// file that is missing or unreadable gives a null picture.
ReportPictures loadReportPictures(const std::string& folder);

}  // namespace lumor
