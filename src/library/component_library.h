#pragma once
#include "library/library_entry.h"
#include "route/record_list.h"

namespace lumor {

/// The component catalogue, shown in the library window's table `seznam1`, saved as a
/// library file (*.komp).
class ComponentLibrary final : public RecordList<LibraryEntry> {
public:
    explicit ComponentLibrary(Messages& messages);

    void removeLastEntry() { removeLast(); }
    void clearLibrary() { clear(); }
    bool loadLibrary(const std::string& path) { return load(path); }
    bool saveLibrary(const std::string& path) { return save(path); }
};

/// The standard library's path, relative to the working directory.
inline const std::string kStandardLibraryPath = "Komponenty/stdkmp.komp";

}  // namespace lumor
