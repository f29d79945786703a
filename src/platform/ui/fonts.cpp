#include "platform/ui/fonts.h"

#include "platform/gui/qtext.h"

#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include <stdexcept>
#include <string>

namespace lumor {

namespace {

[[noreturn]] void refuse(const QWidget& form, const std::string& what) {
    throw std::logic_error("the style sheet of the form " + fromQ(form.objectName()) + " " + what);
}

/// The first of the families the font database has, else the platform's sans-serif; looked up
/// once for each list (matching a missing family afresh for every window is slow).
QString installedFamily(const QStringList& families) {
    static QHash<QString, QString> found;
    const QString key = families.join(QLatin1Char(','));
    if (const auto known = found.constFind(key); known != found.constEnd()) return *known;
    QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const QString& wanted : families) {
        if (QFontDatabase::hasFamily(wanted)) {
            family = wanted;
            break;
        }
    }
    found.insert(key, family);
    return family;
}

/// The font of a declaration's value: `[bold] <pixels>px "<family>"[, "<family>" …]`.
QFont fontOf(const QWidget& form, const QString& value) {
    static const QRegularExpression shape(QStringLiteral(R"(^(bold\s+)?(\d+)px\s+("[^"]+"(?:\s*,\s*"[^"]+")*)$)"));
    const QRegularExpressionMatch match = shape.match(value);
    if (!match.hasMatch()) refuse(form, "gives a font as \"" + fromQ(value) + "\", not as [bold] <n>px \"<family>\"");
    QStringList families;
    for (QString family : match.captured(3).split(QLatin1Char(','))) {
        family = family.trimmed();
        families << family.mid(1, family.size() - 2);
    }
    QFont font(installedFamily(families));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(match.captured(2).toInt());
    font.setBold(!match.captured(1).isEmpty());
    return font;
}

}  // namespace

FormStyleSheet::FormStyleSheet(QWidget& form) : form_(form) { form_.installEventFilter(this); }

FormStyleSheet::~FormStyleSheet() { form_.removeEventFilter(this); }

bool FormStyleSheet::eventFilter(QObject* watched, QEvent* event) {
    // setupUi gives the form its style sheet before it makes the first control; taken off at
    // once (which raises this event again, with no sheet), no control ever meets it.
    if (watched == &form_ && event->type() == QEvent::StyleChange && !form_.styleSheet().isEmpty()) {
        text_ = form_.styleSheet();
        form_.setStyleSheet(QString());
    }
    return QObject::eventFilter(watched, event);
}

void applyFormFonts(QWidget& form, const QString& styleSheet) {
    static const QRegularExpression comment(QStringLiteral(R"(/\*.*?\*/)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QString sheet = styleSheet;
    sheet.remove(comment);
    // "#a, QLabel#b { font: … }": the controls a font is for, by object name.
    static const QRegularExpression rule(QStringLiteral(R"(([^{}]*)\{([^{}]*)\})"));
    static const QRegularExpression selector(QStringLiteral(R"(^[A-Za-z]*#(\w+)$)"));
    static const QRegularExpression declaration(QStringLiteral(R"(^\s*font\s*:\s*(.*?)\s*;?\s*$)"));
    QHash<QString, QFont> fonts;
    qsizetype end = 0;
    for (const QRegularExpressionMatch& match : rule.globalMatch(sheet)) {
        if (!sheet.mid(end, match.capturedStart() - end).trimmed().isEmpty()) refuse(form, "is not a list of rules");
        end = match.capturedEnd();
        const QRegularExpressionMatch font = declaration.match(match.captured(2));
        if (!font.hasMatch()) refuse(form, "sets \"" + fromQ(match.captured(2).trimmed()) + "\", not a font");
        const QFont chosen = fontOf(form, font.captured(1));
        for (const QString& part : match.captured(1).split(QLatin1Char(','))) {
            const QRegularExpressionMatch name = selector.match(part.trimmed());
            if (!name.hasMatch()) refuse(form, "names a control as \"" + fromQ(part.trimmed()) + "\", not as #name");
            fonts.insert(name.captured(1), chosen);
        }
    }
    if (!sheet.mid(end).trimmed().isEmpty()) refuse(form, "is not a list of rules");
    // Parents before their children: a control whose parent's font is already its own inherits
    // it, as a control the sheet does not name does, and only the others get a font set.
    QList<QWidget*> controls = form.findChildren<QWidget*>();
    controls.prepend(&form);
    for (QWidget* control : controls) {
        const auto font = fonts.constFind(control->objectName());
        if (font == fonts.constEnd()) continue;
        if (control->font() != *font) control->setFont(*font);
        fonts.erase(font);
    }
    if (!fonts.isEmpty())
        refuse(form, "names the control " + fromQ(fonts.constBegin().key()) + ", which the form lacks");
}

}  // namespace lumor
