#pragma once
#include "app/ui/forms.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumor {

/// The fibre-length dialog: the length of a fibre added from the library ("Ok", new-fibre
/// mode) or of a fibre already in the route ("Změň", change mode).
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(Forms& forms);

    void FormCreate() {}
    /// Keeps digits and the first comma of the length field.
    void Edit1Change();
    /// Appends the fibre of library column `FibreLibraryColumn` with the typed length.
    void Button1Click();
    /// Changes the length of route fibre `ChangedFibreIndex`.
    void Button2Click();

    /// "Ok" enabled, "Změň" disabled.
    void setNewFibreMode();
    /// "Změň" enabled, "Ok" disabled.
    void setChangeMode();

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    Forms& forms_;
    bool filtering_ = false;
};

}  // namespace lumor
