#include "platform/ui/icons.h"

// Q_INIT_RESOURCE names a function of the global namespace: called from here, outside lumor.
static void initIconResource() { Q_INIT_RESOURCE(icons); }

namespace lumor {

void registerIcons() {
    static const bool registered = (initIconResource(), true);
    (void)registered;
}

QIcon applicationIcon() {
    registerIcons();
    return QIcon(QStringLiteral(":/icons/lumor.svg"));
}

}  // namespace lumor
