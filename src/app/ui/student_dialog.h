#pragma once
#include "report/report_writer.h"

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;

namespace lumor {

class Desk;

namespace Ui {
class StudentDialog;
}

/// The student dialog: first name, surname, date and study group, copied to the main window.
class StudentDialog : public QDialog {
    Q_OBJECT
public:
    explicit StudentDialog(Desk& desk);
    ~StudentDialog() override;

    /// Tells the four texts, as typed (the main window shows them), and closes.
    void confirm();

    /// The four texts as typed: first name, surname, date, study group.
    StudentTexts typedTexts() const;
    /// True when the first name and the surname fields are both filled in.
    bool namesGiven() const;

signals:
    /// The student confirmed the texts.
    void studentConfirmed(const StudentTexts& texts);

protected:
    void showEvent(QShowEvent* event) override;
    /// Enter confirms as the button beside the fields does; Escape cancels as in every dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Desk& desk_;
    std::unique_ptr<Ui::StudentDialog> ui_;
    /// First name, surname, date, study group (Edit1 to Edit4).
    std::array<QLineEdit*, 4> fields_{};
};

}  // namespace lumor
