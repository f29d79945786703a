#pragma once
#include <QDialog>

#include <memory>
#include <string>

namespace lumor {

namespace Ui {
class HelpWindow;
}

class Desk;

/// The help window "Nápověda" (F1): the program's guide in Czech, and the about box.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(Desk& desk);
    ~HelpWindow() override;

    /// The guide, naming the folder the report is written to.
    void showGuide(const std::string& reportFolder);
    /// "O programu": the about box.
    void AboutButtonClick();

private:
    Desk& desk_;
    std::unique_ptr<Ui::HelpWindow> ui_;
};

}  // namespace lumor
