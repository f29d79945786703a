#pragma once
#include <QImage>

#include <array>
#include <optional>
#include <string>

namespace lumor {

/// The files of the enlarged graphs' pictures, attenuation, CD and PMD, which the report
/// page shows beside it.
inline const std::array<std::string, 3> kGraphPictureNames = {"att.bmp", "cd.bmp", "pmd.bmp"};

/// A picture that could not be saved, and why (Czech).
struct PictureSaveFailure {
    std::string path;
    std::string reason;
};

/// Saves the three enlarged pictures as Windows bitmaps "att.bmp", "cd.bmp" and "pmd.bmp"
/// into the folder (a path ending with a separator, or not). Each replaces its old file only
/// once it is complete; the first that fails stops the rest and is returned.
std::optional<PictureSaveFailure> saveGraphPictures(const std::string& folder,
                                                    const std::array<const QImage*, 3>& pictures);

}  // namespace lumor
