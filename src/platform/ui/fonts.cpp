#include "platform/ui/fonts.h"

#include <QFontDatabase>
#include <QWidget>

namespace lumor {

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

void applyFormFonts(QWidget& form) {
    QList<QWidget*> widgets = form.findChildren<QWidget*>();
    widgets.prepend(&form);
    for (QWidget* w : widgets) {
        const QStringList words = w->property("pixelFont").toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        const int pixels = words[0].toInt();
        if (words.contains(QStringLiteral("narrow"))) {
            w->setFont(narrowFormFont(pixels));
        } else {
            w->setFont(formFont(pixels, words.contains(QStringLiteral("bold"))));
        }
    }
}

}  // namespace lumor
