#pragma once
#include "report/report_writer.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace lumor {

class Desk;
class TForm1;

/// The student dialog: first name, surname, date and study group, copied to the main window.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(Desk& desk);
    /// The window the confirmed texts go to.
    void setMainWindow(TForm1& main) { main_ = &main; }

    void FormCreate() {}
    /// Copies the four texts, as typed, to the main window's labels and closes.
    void SpeedButton1Click();

    /// The four texts as typed: first name, surname, date, study group.
    StudentTexts typedTexts() const;
    /// True when the first name and the surname fields are both filled in.
    bool namesGiven() const;

protected:
    void showEvent(QShowEvent* event) override;
    /// Enter confirms as `SpeedButton1` does; Escape cancels as in every dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Desk& desk_;
    TForm1* main_ = nullptr;
    /// Edit1 first name, Edit2 surname, Edit3 date, Edit4 study group.
    std::array<QLineEdit*, 4> edits_{};
};

}  // namespace lumor
