#pragma once
#include <QFont>
#include <QIcon>

class QWidget;

namespace lumor {

/// The program's own icon for its windows: packaging/icons/lumor.svg, which the desktop
/// shows too. The tool bars' and buttons' icons are the files ":/icons/<name>.svg"
/// (assets/icons).
QIcon applicationIcon();

/// The windows' font of the given pixel height: Liberation Sans (the same widths as Arial,
/// Debian's fonts-liberation), falling back to the platform's sans-serif.
QFont formFont(int pixelHeight, bool bold = false);

/// The narrow form of the windows' font (Liberation Sans Narrow), for lists whose entries do
/// not fit their width in the ordinary one; the ordinary font where it is missing.
QFont narrowFormFont(int pixelHeight);

/// Gives the form and each of its controls that names a font in its "pixelFont" property
/// ("11", "16 bold", "11 narrow": the pixel height, then the weight or the narrow form) that
/// font; the others inherit theirs.
void applyFormFonts(QWidget& form);

}  // namespace lumor
