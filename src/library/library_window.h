#pragma once
#include "app/forms.h"

#include <QDialog>

namespace lumor {

class GridView;

/// The library window "Seznam komponent": picks components by category for the route and
/// maintains the component library.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(Forms& forms);

    void FormCreate();
    /// Refills the five category lists from the library grid and enables their buttons.
    void RebuildCategoryLists();

    GridView* seznam1 = nullptr;

private:
    Forms& forms_;
};

}  // namespace lumor
