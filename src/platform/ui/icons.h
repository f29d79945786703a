#pragma once
#include <QColor>
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

/// Window and control colours of the program.
namespace colours {
inline const QColor skyBlue{0xA6, 0xCA, 0xF0};
inline const QColor infoYellow{0xFF, 0xFF, 0xE1};
inline const QColor moneyGreen{0xC0, 0xDC, 0xC0};
inline const QColor teal{0x00, 0x80, 0x80};
inline const QColor lime{0x00, 0xFF, 0x00};
inline const QColor red{0xFF, 0x00, 0x00};
}  // namespace colours

/// Gives a widget a solid background colour.
void setBackground(QWidget* widget, const QColor& colour);
/// Gives a widget a text colour.
void setTextColour(QWidget* widget, const QColor& colour);

}  // namespace lumor
