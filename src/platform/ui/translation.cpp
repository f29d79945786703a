#include "platform/ui/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lumor {

bool loadQtCzech() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    // The application owns the translator: it lives as long as the texts it translates.
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace lumor
