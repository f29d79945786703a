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

/// One command of a tool bar: a QAction with the hint, the icon and the shortcut (if any),
/// shown on the bar by a 23 × 22 tool button named `buttonName`. The button and the shortcut
/// run the same action; enabling or disabling the action does both.
QAction* addCommand(QToolBar* bar, const char* buttonName, const QString& hint, const QIcon& icon, Desk& desk,
                    std::function<void()> handler, const QKeySequence& shortcut = {});

/// An empty space of the given width on a tool bar, named as the program knows it.
QWidget* addToolSpace(QToolBar* bar, const char* name, int width);

}  // namespace lumor
