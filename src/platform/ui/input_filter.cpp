#include "platform/ui/input_filter.h"

#include "platform/gui/qtext.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace lumor {

void applyInputFilter(QLineEdit& field, TextFilter filter) {
    const QString current = field.text();
    const std::string text = fromQ(current);
    const std::string filtered = filter(text);
    if (filtered == text) return;
    // The filters read left to right, so the text before the cursor filters to the part of
    // the result before the new cursor.
    const QString kept = toQ(filtered);
    const QString before = toQ(filter(fromQ(current.left(field.cursorPosition()))));
    const QSignalBlocker quiet(field);
    field.setText(kept);
    field.setCursorPosition(static_cast<int>(std::min(before.size(), kept.size())));
}

}  // namespace lumor
