#pragma once
#include "route/component_record.h"
#include "route/record_list.h"

namespace lumor {

/// The route: components from the source (position 1) to the detector, shown in the main
/// window's table `seznam`, saved as a route file (*.trasa).
class RouteList final : public RecordList<ComponentRecord> {
public:
    explicit RouteList(Messages& messages);

    bool AppendComponent(std::unique_ptr<ComponentRecord> record) { return append(std::move(record)); }
    void RemoveLastComponent() { removeLast(); }
    void ReplaceComponent(int k, std::unique_ptr<ComponentRecord> record) { replace(k, std::move(record)); }
    void ClearRoute() { clear(); }
    /// Removes the component at position k; the later ones move one position left.
    void RemoveComponent(int k) { removeAt(k); }
    /// Moves the component at position k to position `to`.
    void MoveComponent(int k, int to) { move(k, to); }
    bool LoadRoute(const std::string& path) { return load(path); }
    bool SaveRoute(const std::string& path) { return save(path); }
};

/// A record with the given eleven slot texts, in slot order.
std::unique_ptr<ComponentRecord> makeRecord(const std::array<std::string, 11>& slots);

}  // namespace lumor
