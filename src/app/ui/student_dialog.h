#pragma once
#include "app/ui/forms.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace lumor {

/// The student dialog: first name, surname, date and study group, copied to the main window.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(Forms& forms);

    void FormCreate() {}
    /// Copies the four texts, as typed, to the main window's labels and closes.
    void SpeedButton1Click();

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;  ///< first name
    QLineEdit* Edit2 = nullptr;  ///< surname
    QLineEdit* Edit3 = nullptr;  ///< date
    QLineEdit* Edit4 = nullptr;  ///< study group
    QToolButton* SpeedButton1 = nullptr;

private:
    Forms& forms_;
};

}  // namespace lumor
