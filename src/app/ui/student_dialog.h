#pragma once
#include "report/report_writer.h"

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;

namespace lumor {

class Desk;

namespace Ui {
class TForm5;
}

/// The student dialog: first name, surname, date and study group, copied to the main window.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(Desk& desk);
    ~TForm5() override;

    void FormCreate() {}
    /// Tells the four texts, as typed (the main window shows them), and closes.
    void SpeedButton1Click();

    /// The four texts as typed: first name, surname, date, study group.
    StudentTexts typedTexts() const;
    /// True when the first name and the surname fields are both filled in.
    bool namesGiven() const;

signals:
    /// The student confirmed the texts.
    void studentConfirmed(const StudentTexts& texts);

protected:
    void showEvent(QShowEvent* event) override;
    /// Enter confirms as `SpeedButton1` does; Escape cancels as in every dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Desk& desk_;
    std::unique_ptr<Ui::TForm5> ui_;
    /// Edit1 first name, Edit2 surname, Edit3 date, Edit4 study group.
    std::array<QLineEdit*, 4> edits_{};
};

}  // namespace lumor
