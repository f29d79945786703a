#pragma once
#include <QString>
#include <string>

namespace lumor {

/// UTF-8 text to a QString and back; the program keeps its texts as UTF-8.
inline QString toQ(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fromQ(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace lumor
