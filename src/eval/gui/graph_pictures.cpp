#include "eval/gui/graph_pictures.h"

#include "text/file_io.h"

namespace lumor {

std::optional<PictureSaveFailure> saveGraphPictures(const std::string& folder, const EnlargedPictures& pictures) {
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/' && prefix.back() != '\\') prefix += '/';
    for (std::size_t i = 0; i < kGraphPictureNames.size(); ++i) {
        const std::string path = prefix + kGraphPictureNames[i];
        const auto bytes = bmpBytes(pictures.image(i));
        if (!bytes) return PictureSaveFailure{path, "obrázek nelze převést do formátu BMP"};
        if (auto reason = writeFileAtomically(path, *bytes)) return PictureSaveFailure{path, *reason};
    }
    return std::nullopt;
}

}  // namespace lumor
