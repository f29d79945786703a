#pragma once
#include "app/ui/forms.h"

namespace lumor {

/// Writes "Protokol/Protokol.html" beside the executable from what the main window shows,
/// then opens it in the default viewer.
void writeReport(Forms& forms);

}  // namespace lumor
