#pragma once
#include "text/typed_input.h"

#include <string>

class QLabel;
class QLineEdit;
class QWidget;

namespace lumor {

/// Makes the line edit a number field (`typedNumber`): a full stop typed or pasted becomes the
/// decimal comma, and a key press or paste whose result the field cannot take is refused whole
/// (the text stays as it was) with `refuseVisibly` on the hint label. The next accepted edit
/// clears the hint. A text the program puts in is kept as it is (a full stop made a comma)
/// and refuses nothing.
void takeNumbers(QLineEdit& field, NumberSign sign, QLabel& hint);

/// Makes the label a hint: dark red, empty until something is refused.
void showAsHint(QLabel& hint);

/// Says why an input was refused: a beep, the reason in the hint label next to the control,
/// and the same to a screen reader.
void refuseVisibly(QLabel& hint, const std::string& why);

}  // namespace lumor
