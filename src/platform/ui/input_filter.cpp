#include "platform/ui/input_filter.h"

#include "platform/gui/qtext.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QValidator>

namespace lumor {

namespace {

/// The number rule as Qt's line edit asks it on every edit; keeps the reason of the last refusal.
class NumberValidator : public QValidator {
public:
    NumberValidator(NumberSign sign, QObject* parent) : QValidator(parent), sign_(sign) {}

    State validate(QString& input, int& /*pos*/) const override {
        TypedNumber typed = typedNumber(fromQ(input), sign_);
        if (!typed.refusal.empty()) {
            refusal_ = std::move(typed.refusal);
            return Invalid;
        }
        input = toQ(typed.text);  // the same length: the cursor stays where it was
        return Acceptable;
    }

    const std::string& refusal() const { return refusal_; }

private:
    NumberSign sign_;
    mutable std::string refusal_;
};

}  // namespace

void takeNumbers(QLineEdit& field, NumberSign sign, QLabel& hint) {
    auto* validator = new NumberValidator(sign, &field);
    field.setValidator(validator);
    // A text the program puts in is never refused (it was not typed; it is not modified then).
    QObject::connect(&field, &QLineEdit::inputRejected, &hint, [&field, validator, &hint] {
        if (field.isModified()) refuseVisibly(hint, validator->refusal());
    });
    QObject::connect(&field, &QLineEdit::textEdited, &hint, [&hint] { hint.clear(); });
}

void showAsHint(QLabel& hint) {
    QPalette palette = hint.palette();
    palette.setColor(QPalette::WindowText, QColor(176, 0, 0));
    hint.setPalette(palette);
    hint.clear();
}

void refuseVisibly(QLabel& hint, const std::string& why) {
    QApplication::beep();
    hint.setText(toQ(why));
    QAccessibleEvent alert(&hint, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace lumor
