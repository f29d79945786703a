#pragma once
#include "library/library_entry.h"
#include "route/record_list.h"

namespace lumor {

/// The component catalogue, shown in the library window's table `seznam1`, saved as a
/// library file (*.komp).
class ComponentLibrary final : public RecordList<LibraryEntry> {
public:
    explicit ComponentLibrary(Messages& messages);

    void RemoveLastEntry() { removeLast(); }
    void ClearLibrary() { clear(); }
    bool LoadLibrary(const std::string& path) { return load(path); }
    bool SaveLibrary(const std::string& path) { return save(path); }
};

/// The standard library's path, relative to the working directory.
inline const std::string kStandardLibraryPath = "Komponenty/stdkmp.komp";

}  // namespace lumor
