#pragma once
#include "eval/graph_drawing.h"
#include "eval/gui/qimage_canvas.h"
#include "io/write_file.h"

#include <QImage>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace lumor {

/// The files of the enlarged graphs' pictures, attenuation, CD and PMD, which the report
/// page shows beside it.
inline const std::array<std::string, 3> kGraphPictureNames = {"att.bmp", "cd.bmp", "pmd.bmp"};

/// A picture that could not be saved, and why (Czech).
struct PictureSaveFailure {
    std::string path;
    std::string reason;
};

/// The three enlarged pictures the draw command paints (632 × 434), attenuation, CD and PMD.
struct EnlargedPictures {
    std::array<QImageCanvas, 3> canvases = {QImageCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight),
                                            QImageCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight),
                                            QImageCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight)};
    /// The canvases as `RouteCanvases::enlarged`.
    std::array<Canvas*, 3> targets() { return {&canvases[0], &canvases[1], &canvases[2]}; }
    /// The picture of graph i.
    const QImage& image(std::size_t i) const { return canvases[i].image(); }
};

/// The three enlarged pictures as the files "att.bmp", "cd.bmp" and "pmd.bmp" (Windows
/// bitmaps); nothing when a picture cannot be converted.
std::optional<std::vector<NamedFile>> graphPictureFiles(const EnlargedPictures& pictures);

/// Saves the three enlarged pictures as Windows bitmaps "att.bmp", "cd.bmp" and "pmd.bmp"
/// into the folder (a path ending with a separator, or not), all or nothing (writeFileSet:
/// links at those names are replaced, not followed). The failure is returned.
std::optional<PictureSaveFailure> saveGraphPictures(const std::string& folder, const EnlargedPictures& pictures);

}  // namespace lumor
