#pragma once
#include <string>

class QLineEdit;

namespace lumor {

/// A filter of typed text: the characters it keeps, in their order.
using TextFilter = std::string (*)(const std::string&);

/// Runs the filter over a field's text on a change and writes the result back, keeping the
/// cursor after the same kept characters. The write-back raises no change of its own.
void applyInputFilter(QLineEdit& field, TextFilter filter);

}  // namespace lumor
