#pragma once
#include "route/component_record.h"
#include "route/record_list.h"

namespace lumor {

/// The route: components from the source (position 1) to the detector, shown in the main
/// window's table `seznam`, saved as a route file (*.trasa).
class RouteList final : public RecordList<ComponentRecord> {
public:
    explicit RouteList(Messages& messages);

    bool appendComponent(std::unique_ptr<ComponentRecord> record) { return append(std::move(record)); }
    void removeLastComponent() { removeLast(); }
    void replaceComponent(int k, std::unique_ptr<ComponentRecord> record) { replace(k, std::move(record)); }
    void clearRoute() { clear(); }
    /// Removes the component at position k; the later ones move one position left.
    void removeComponent(int k) { removeAt(k); }
    /// Moves the component at position k to position `to`.
    void moveComponent(int k, int to) { move(k, to); }
};

}  // namespace lumor
