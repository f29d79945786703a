#pragma once
#include <QIcon>

namespace lumor {

/// Makes the icons' resource (assets/icons/icons.qrc, built into this static library) known to
/// Qt, which a static library's resources need done by hand; start-up does it before the first
/// window loads an icon. Once is enough; later calls do nothing.
void registerIcons();

/// The program's own icon for its windows: packaging/icons/lumor.svg, which the desktop
/// shows too. The tool bars' and buttons' icons are the files ":/icons/<name>.svg"
/// (assets/icons).
QIcon applicationIcon();

}  // namespace lumor
