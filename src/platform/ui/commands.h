#pragma once
#include "platform/ui/desk.h"

#include <QAbstractButton>
#include <QIcon>
#include <QKeySequence>
#include <QString>

#include <functional>

class QAction;
class QToolBar;
class QToolButton;

namespace lumor {

/// Runs `handler` whenever `sender` emits `signal`, as long as `context` lives; whatever the
/// handler throws goes to the desk's exception box (nothing may leave a Qt slot).
template <class Sender, class Signal, class Handler>
void connectGuarded(Sender* sender, Signal signal, QObject* context, Desk& desk, Handler handler) {
    QObject::connect(sender, signal, context, [&desk, handler] { guarded(desk, handler); });
}

/// Runs `handler` when the button is clicked, guarded as above.
template <class Handler>
void onClicked(QAbstractButton* button, Desk& desk, Handler handler) {
    connectGuarded(button, &QAbstractButton::clicked, button, desk, std::move(handler));
}

/// One command of a tool bar: the form's action (hint, icon, shortcut) runs `handler`, shown
/// on the bar by a 23 × 22 tool button named as the action without its "Action" ending
/// ("ToolButton1Action": "ToolButton1"), which Tab reaches. The button and the shortcut run
/// the same action; enabling or disabling the action does both; the hint names the shortcut.
void addCommand(QToolBar* bar, QAction* action, Desk& desk, std::function<void()> handler);

/// An empty space of the given width on a tool bar, named as the program knows it.
QWidget* addToolSpace(QToolBar* bar, const char* name, int width);

}  // namespace lumor
