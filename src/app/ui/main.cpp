#include "app/app_state.h"
#include "app/ui/forms.h"
#include "app/ui/main_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/icons.h"
#include "platform/ui/qt_desk.h"
#include "platform/ui/translation.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumor"));
    // No display name: the desktop would append it to every window's and message box's title.
    lumor::loadQtCzech();
    QApplication::setWindowIcon(lumor::applicationIcon());
    // Lets the desktop match the windows with the installed lumor.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("lumor"));
    QStringList arguments = QApplication::arguments().mid(1);
#ifdef Q_OS_WIN
    // Windows has no launcher that starts the program in its folder: a file opened from Explorer
    // starts it in the file's folder (or anywhere). So, as the Linux launcher does, the program
    // makes the files it is given absolute and changes into its own folder, where the standard
    // library Komponenty\stdkmp.komp lies.
    for (QString& argument : arguments) {
        if (!argument.isEmpty()) argument = QDir::toNativeSeparators(QFileInfo(argument).absoluteFilePath());
    }
    QDir::setCurrent(QCoreApplication::applicationDirPath());
#endif
    lumor::QtDesk desk;
    try {
        lumor::AppState state(desk);
        auto forms = lumor::createForms(state, desk);
        // Without a window manager "maximised" means nothing: fill the screen ourselves.
        if (QScreen* screen = QApplication::primaryScreen()) {
            forms->mainWindow->setGeometry(screen->availableGeometry());
        }
        forms->mainWindow->showMaximized();
        // A route or library given on the command line (a double-click on the file).
        std::vector<std::string> files;
        for (const QString& argument : arguments) files.push_back(lumor::fromQ(argument));
        lumor::guarded(desk, [&] { lumor::openCommandLineFiles(*forms, files); });
        // Closing the main window ends the program at once, without a question.
        QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
        return QApplication::exec();
    } catch (const std::exception& e) {
        desk.exceptionBox(e.what(), {});
    } catch (...) {
        desk.exceptionBox("", {});
    }
    return 1;
}
