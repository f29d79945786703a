#include "eval/gui/graph_pictures.h"

namespace lumor {

std::optional<std::vector<NamedFile>> graphPictureFiles(const EnlargedPictures& pictures) {
    std::vector<NamedFile> files;
    for (std::size_t i = 0; i < kGraphPictureNames.size(); ++i) {
        auto bytes = bmpBytes(pictures.image(i));
        if (!bytes) return std::nullopt;
        files.push_back({kGraphPictureNames[i], std::move(*bytes)});
    }
    return files;
}

std::optional<PictureSaveFailure> saveGraphPictures(const std::string& folder, const EnlargedPictures& pictures) {
    const auto files = graphPictureFiles(pictures);
    if (!files) return PictureSaveFailure{folder, "obrázek nelze převést do formátu BMP"};
    if (auto failure = writeFileSet(folder, *files)) return PictureSaveFailure{failure->path, failure->reason};
    return std::nullopt;
}

}  // namespace lumor
