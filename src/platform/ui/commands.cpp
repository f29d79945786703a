#include "platform/ui/commands.h"

#include "platform/ui/access.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

namespace lumor {

void addCommand(QToolBar* bar, QAction* action, Desk& desk, std::function<void()> handler) {
    connectGuarded(action, &QAction::triggered, action, desk, std::move(handler));
    showShortcutInToolTip(*action);
    auto* button = new QToolButton(bar);
    QString name = action->objectName();
    name.chop(int(sizeof "Action" - 1));
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    button->setFocusPolicy(Qt::TabFocus);  // Tab reaches the tool bar too
    bar->addWidget(button);
    // The shortcut works wherever the focus is in the window, as the window holds the action.
    if (QWidget* window = bar->window()) window->addAction(action);
}

QWidget* addToolSpace(QToolBar* bar, const char* name, int width) {
    auto* space = new QWidget(bar);
    space->setObjectName(QString::fromLatin1(name));
    space->setFixedSize(width, 22);
    bar->addWidget(space);
    return space;
}

}  // namespace lumor
