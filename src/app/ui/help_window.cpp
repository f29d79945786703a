#include "app/ui/help_window.h"

#include "app/about.h"
#include "app/help.h"
#include "platform/gui/qtext.h"
#include "platform/ui/access.h"
#include "platform/ui/commands.h"
#include "platform/ui/icons.h"
#include "ui_help_window.h"

#include <QPushButton>
#include <QTextBrowser>

namespace lumor {

HelpWindow::HelpWindow(Desk& desk) : QDialog(nullptr), desk_(desk), ui_(std::make_unique<Ui::HelpWindow>()) {
    ui_->setupUi(this);
    applyFormFonts(*this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    onClicked(ui_->AboutButton, desk_, [this] { AboutButtonClick(); });
    onClicked(ui_->CloseButton, desk_, [this] { close(); });
    setTabChain({ui_->HelpText, ui_->AboutButton, ui_->CloseButton});
    nameControls(*this);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::showGuide(const std::string& reportFolder) {
    ui_->HelpText->setHtml(toQ(helpPage(reportFolder)));
    ui_->HelpText->setFocus(Qt::OtherFocusReason);  // the arrow keys and Page Down read it
}

void HelpWindow::AboutButtonClick() { desk_.information(aboutText(), "O programu"); }

}  // namespace lumor
