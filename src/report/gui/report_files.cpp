#include "report/gui/report_files.h"

#include "assignment/grading.h"
#include "eval/graph_drawing.h"
#include "eval/gui/graph_pictures.h"
#include "eval/gui/vector_canvas.h"
#include "eval/link_verdict.h"
#include "eval/route_evaluation.h"
#include "report/gui/report_pdf.h"
#include "route/route_rules.h"
#include "text/read_file.h"

#include <QByteArray>

#include <variant>

namespace lumor {

namespace {

// An enlarged graph of the evaluated route, as the draw command draws it.
void drawEnlarged(const RouteProfiles& profiles, std::size_t i, Canvas& canvas) {
    switch (kGraphKinds[i]) {
        case GraphKind::Attenuation: drawAttenuationGraph(profiles.attenuation, GraphSize::Enlarged, canvas); break;
        case GraphKind::Cd: drawCdGraph(profiles.cd, GraphSize::Enlarged, canvas); break;
        case GraphKind::Pmd: drawPmdGraph(profiles.pmd, GraphSize::Enlarged, canvas); break;
    }
}

}  // namespace

ReportFiles reportFiles(const RouteList& route, const ReportRequest& request) {
    if (auto incomplete = incompleteRouteReason(route)) return {{}, std::move(*incomplete)};
    // The draw command's checks and evaluation; a failure leaves before anything is made.
    checkFibreLengths(route);
    const RouteProfiles profiles = EvaluateRoute(route);
    const RouteResult result{profiles.EndAttenuation, profiles.EndCd, profiles.EndPmd};

    EnlargedPictures pictures;
    std::array<VectorCanvas, 3> vectors = {VectorCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight),
                                           VectorCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight),
                                           VectorCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight)};
    for (std::size_t i = 0; i < kGraphKinds.size(); ++i) {
        drawEnlarged(profiles, i, pictures.canvases[i]);
        drawEnlarged(profiles, i, vectors[i]);
    }
    auto bitmaps = graphPictureFiles(pictures);
    if (!bitmaps) return {{}, "Obrázky grafů nelze převést do formátu BMP."};

    const ReportContent content = reportContent(request.student, route, result, request.conclusion);
    ReportFiles out;
    out.files.push_back({"Protokol.html", reportPage(content)});
    if (request.pdf) {
        const LinkVerdict verdict =
            linkVerdict(profiles.EndAttenuation, profiles.sensitivity, profiles.EndCd, profiles.EndPmd);
        std::optional<ReportAssignment> assignment;
        if (request.assignment)
            assignment = ReportAssignment{request.assignment->title, gradeRoute(route, *request.assignment)};
        auto pdf = reportPdf(content, verdict, vectors, request.logo, request.creationTime, assignment);
        if (!pdf) return {{}, "Dokument PDF protokolu se nepodařilo vytvořit."};
        out.files.push_back({kReportPdfName, std::move(*pdf)});
    }
    for (NamedFile& f : *bitmaps) out.files.push_back(std::move(f));
    return out;
}

QImage loadReportLogo(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    constexpr std::size_t kLogoFileCap = 4 * 1024 * 1024;  // a small logo: a few MB is plenty
    const auto bytes = readBoundedFile(path + "ORV.gif", kLogoFileCap);
    const auto* content = std::get_if<std::string>(&bytes);
    return content ? QImage::fromData(QByteArray::fromStdString(*content)) : QImage();
}

}  // namespace lumor
