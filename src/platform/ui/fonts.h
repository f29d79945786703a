#pragma once
#include <QObject>
#include <QString>

class QWidget;

namespace lumor {

/// Takes a form's style sheet off the form as soon as `setupUi` sets it (before the form's first
/// control is made) and keeps its text, while it lives.
class FormStyleSheet : public QObject {
public:
    explicit FormStyleSheet(QWidget& form);
    ~FormStyleSheet() override;
    /// The style sheet taken off (empty: none yet).
    const QString& text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& form_;
    QString text_;
};

/// Gives the form's controls the fonts its style sheet names. Each form's style sheet (in its
/// Qt Designer form, so that Designer shows them) names every control with its font's pixel
/// height:
///
///     #Form4, #Edit1 { font: 11px "Liberation Sans"; }
///     #Label1 { font: bold 16px "Liberation Sans"; }
///     #ComboBox1 { font: 11px "Liberation Sans Narrow", "Liberation Sans"; }
///
/// Liberation Sans has the widths of Arial (Debian's fonts-liberation); of several families
/// the first one installed is taken, and the platform's sans-serif where none is. A control
/// whose parent's font is already its own inherits it; the others get theirs set, which passes
/// on to their parts (a table's headers) and to controls made inside them later, as a font set
/// in code does. A style sheet holding anything else, or naming a control the form lacks, is
/// refused with std::logic_error (the window cannot be made).
void applyFormFonts(QWidget& form, const QString& styleSheet);

/// Builds a window from its Qt Designer form (`form.setupUi(&window)`) and gives its controls
/// the fonts the form's style sheet names. The program sets those fonts itself and lets Qt never
/// apply the style sheet: Qt's style sheets keep a font and the colours from controls made
/// later and reach the window's message boxes and tool tips.
template <class Form, class Window>
void setupForm(Form& form, Window& window) {
    const FormStyleSheet sheet(window);
    form.setupUi(&window);
    applyFormFonts(window, sheet.text());
}

}  // namespace lumor
