#include "platform/gui/executable_folder.h"

#include "platform/gui/qtext.h"

#include <QCoreApplication>
#include <QDir>

namespace lumor {

std::string executableFolder() {
    return fromQ(QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/')));
}

}  // namespace lumor
