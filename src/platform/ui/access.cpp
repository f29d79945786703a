#include "platform/ui/access.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QWidget>

namespace lumor {

namespace {

QString captionOf(const QLabel& label) {
    QString text = label.text();
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':'))) text = text.chopped(1).trimmed();
    return text;
}

}  // namespace

void setTabChain(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous != nullptr) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void showShortcutInToolTip(QAction& action) {
    const QString keys = action.shortcut().toString(QKeySequence::NativeText);
    if (keys.isEmpty() || action.toolTip().contains(keys)) return;
    action.setToolTip(action.toolTip() + QStringLiteral(" (") + keys + QLatin1Char(')'));
}

QString accessibleCaption(const QWidget& control) {
    for (const QLabel* label : control.window()->findChildren<QLabel*>()) {
        if (label->buddy() == &control) return captionOf(*label);
    }
    return control.accessibleName();
}

void nameControls(QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy != nullptr && buddy->accessibleName().isEmpty()) buddy->setAccessibleName(captionOf(*label));
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() && button->accessibleName().isEmpty())
            button->setAccessibleName(button->toolTip());
    }
}

}  // namespace lumor
