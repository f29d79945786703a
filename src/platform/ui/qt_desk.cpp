#include "platform/ui/qt_desk.h"

#include "platform/gui/executable_folder.h"
#include "platform/gui/qtext.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace lumor {

namespace {

QWidget* activeParent() { return QApplication::activeWindow(); }

void box(QMessageBox::Icon icon, const std::string& title, const std::string& text, const std::string& more = {}) {
    QMessageBox mb(icon, toQ(title.empty() ? kApplicationTitle : title), toQ(text), QMessageBox::Ok, activeParent());
    if (!more.empty()) mb.setInformativeText(toQ(more));
    mb.exec();
}

QString qtFilter(const FileFilter& filter) { return toQ(filter.description); }

}  // namespace

void QtDesk::warning(const std::string& text, const std::string& title) { box(QMessageBox::Warning, title, text); }

void QtDesk::information(const std::string& text, const std::string& title) {
    box(QMessageBox::Information, title, text);
}

bool QtDesk::question(const std::string& text) {
    QMessageBox mb(QMessageBox::Question, QStringLiteral("Dotaz"), toQ(text), QMessageBox::Yes | QMessageBox::No,
                   activeParent());
    mb.setDefaultButton(QMessageBox::No);
    return mb.exec() == QMessageBox::Yes;
}

Choice QtDesk::choice(const std::string& text) {
    QMessageBox mb(QMessageBox::Question, QStringLiteral("Dotaz"), toQ(text),
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, activeParent());
    mb.setDefaultButton(QMessageBox::Yes);
    mb.setEscapeButton(QMessageBox::Cancel);
    switch (mb.exec()) {
        case QMessageBox::Yes: return Choice::Yes;
        case QMessageBox::No: return Choice::No;
        default: return Choice::Cancel;
    }
}

void QtDesk::exceptionBox(const std::string& text, const std::string& reason) {
    box(QMessageBox::Critical, kApplicationTitle, exceptionBoxText(text), reason);
}

std::string QtDesk::dialogFolder(const FileFilter& filter, const std::string& current) const {
    if (!current.empty()) return fromQ(QFileInfo(toQ(current)).absolutePath());
    if (const auto last = lastFolders_.find(filter.extension); last != lastFolders_.end()) return last->second;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return fromQ(!documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath());
}

void QtDesk::remember(const FileFilter& filter, const std::string& path) {
    lastFolders_[filter.extension] = fromQ(QFileInfo(toQ(path)).absolutePath());
}

std::optional<std::string> QtDesk::openFileName(const FileFilter& filter) {
    QFileDialog dlg(activeParent(), QString(), toQ(dialogFolder(filter, {})), qtFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(toQ(filter.extension));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    const std::string path = fromQ(QDir::toNativeSeparators(dlg.selectedFiles().first()));
    remember(filter, path);
    return path;
}

std::optional<std::string> QtDesk::saveFileName(const FileFilter& filter, const std::string& current) {
    QFileDialog dlg(activeParent(), QString(), toQ(dialogFolder(filter, current)), qtFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(toQ(filter.extension));  // a name typed without extension gets it
    if (!current.empty()) dlg.selectFile(QFileInfo(toQ(current)).fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    const std::string path = fromQ(QDir::toNativeSeparators(dlg.selectedFiles().first()));
    remember(filter, path);
    return path;
}

void QtDesk::showModal(QDialog& window) { window.exec(); }

std::string QtDesk::executableDir() { return executableFolder(); }

bool QtDesk::openInViewer(const std::string& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(toQ(path))); }

bool QtDesk::openFolder(const std::string& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(toQ(path))); }

}  // namespace lumor
