#include "platform/ui/fonts.h"

#include "platform/gui/qtext.h"

#include <QEvent>
#include <QFont>
#include <QFontDatabase>
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

/// The first of the families the font database has, else the platform's sans-serif.
QString installedFamily(const QStringList& families) {
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
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

/// The form itself or its control of that object name.
QWidget& namedControl(QWidget& form, const QString& name) {
    if (form.objectName() == name) return form;
    QWidget* control = form.findChild<QWidget*>(name);
    if (control == nullptr) refuse(form, "names the control " + fromQ(name) + ", which the form lacks");
    return *control;
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
    QString sheet = styleSheet;
    sheet.remove(QRegularExpression(QStringLiteral(R"(/\*.*?\*/)"), QRegularExpression::DotMatchesEverythingOption));
    // "#a, QLabel#b { font: … }": the controls a font is for, by object name.
    static const QRegularExpression rule(QStringLiteral(R"(([^{}]*)\{([^{}]*)\})"));
    static const QRegularExpression selector(QStringLiteral(R"(^[A-Za-z]*#(\w+)$)"));
    static const QRegularExpression declaration(QStringLiteral(R"(^\s*font\s*:\s*(.*?)\s*;?\s*$)"));
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
            namedControl(form, name.captured(1)).setFont(chosen);
        }
    }
    if (!sheet.mid(end).trimmed().isEmpty()) refuse(form, "is not a list of rules");
}

}  // namespace lumor
