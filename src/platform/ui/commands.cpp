#include "platform/ui/commands.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

namespace lumor {

QAction* addCommand(QToolBar* bar, const char* buttonName, const QString& hint, const QIcon& icon, Desk& desk,
                    std::function<void()> handler, const QKeySequence& shortcut) {
    auto* action = new QAction(icon, hint, bar->window());
    action->setObjectName(QString::fromLatin1(buttonName) + QStringLiteral("Action"));
    action->setToolTip(hint);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connectGuarded(action, &QAction::triggered, action, desk, std::move(handler));
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(buttonName));
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    bar->addWidget(button);
    // The shortcut works wherever the focus is in the window, as the window holds the action.
    if (QWidget* window = bar->window()) window->addAction(action);
    return action;
}

QWidget* addToolSpace(QToolBar* bar, const char* name, int width) {
    auto* space = new QWidget(bar);
    space->setObjectName(QString::fromLatin1(name));
    space->setFixedSize(width, 22);
    bar->addWidget(space);
    return space;
}

}  // namespace lumor
