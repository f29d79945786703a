#pragma once
#include "app/forms.h"

#include <QDialog>

namespace lumor {

/// The component editor "Přidej/Uprav komponentu": adds and edits library entries.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(Forms& forms);

    /// Loads the standard library "Komponenty/stdkmp.komp" from the working directory.
    void FormCreate();

private:
    Forms& forms_;
};

}  // namespace lumor
