#pragma once
#include <QString>

#include <initializer_list>

class QAction;
class QWidget;

namespace lumor {

/// Tab and Shift+Tab move through the controls in this order (a window's reading order).
void setTabChain(std::initializer_list<QWidget*> controls);

/// The tool tip with the command's keyboard shortcut after it: "Komponenty (Ctrl+K)". A tip
/// that names the shortcut already stays.
void showShortcutInToolTip(QAction& action);

/// The caption the user sees for a control: the text of the label whose buddy it is, without
/// "&", a trailing colon and blanks; its accessible name when no label names it.
QString accessibleCaption(const QWidget& control);

/// Gives the window's controls the names a screen reader says: a label's buddy is named as
/// the label reads, a button that shows only a picture by its tool tip. Names the form gives
/// stay.
void nameControls(QWidget& window);

}  // namespace lumor
