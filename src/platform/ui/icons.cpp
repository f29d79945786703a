#include "platform/ui/icons.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

// The icons live in a resource of this library (assets/icons/icons.qrc); a static library's
// resources are registered by hand, here, before any window loads one.
static void registerIconResources() { Q_INIT_RESOURCE(icons); }

namespace {
const struct IconResources {
    IconResources() { registerIconResources(); }
} iconResources;
}  // namespace

namespace lumor {

QIcon applicationIcon() { return QIcon(QStringLiteral(":/icons/lumor.svg")); }

namespace {

/// The family if the font database has it, else the platform's sans-serif (looked up once
/// per family by the callers: matching a missing family afresh for every control is slow).
QString familyOrSystem(const QString& wanted) {
    if (QFontDatabase::hasFamily(wanted)) return wanted;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont sansSerif(const QString& family, int pixelHeight, bool bold) {
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

}  // namespace

QFont formFont(int pixelHeight, bool bold) {
    static const QString family = familyOrSystem(QStringLiteral("Liberation Sans"));
    return sansSerif(family, pixelHeight, bold);
}

QFont narrowFormFont(int pixelHeight) {
    static const QString family = [] {
        const QString narrow = QStringLiteral("Liberation Sans Narrow");
        return QFontDatabase::hasFamily(narrow) ? narrow : formFont(11).family();
    }();
    return sansSerif(family, pixelHeight, false);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    widget->setPalette(pal);
}

}  // namespace lumor
