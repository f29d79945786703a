#pragma once
#include <QFont>

class QWidget;

namespace lumor {

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
