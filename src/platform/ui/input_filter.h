#pragma once
#include <string>

class QLineEdit;

namespace lumor {

/// A filter of typed text: the characters it keeps, in their order.
using TextFilter = std::string (*)(const std::string&);

/// Runs the filter over a field's text on a change and writes the result back, keeping the
/// cursor after the same kept characters. `busy` guards against the change that the
/// write-back raises itself (that pass would find nothing to drop anyway).
void applyInputFilter(QLineEdit& field, TextFilter filter, bool& busy);

}  // namespace lumor
