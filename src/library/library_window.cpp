#include "library/library_window.h"

#include "platform/grid_view.h"
#include "platform/icons.h"

namespace lumor {

TForm2::TForm2(Forms& forms) : QDialog(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Seznam komponent"));
    setFont(formFont(11));
    move(61, 250);
    setFixedSize(863, 343);
    setBackground(this, colours::lime);
    seznam1 = new GridView(forms_.state.library.grid(), this);
    seznam1->setObjectName(QStringLiteral("seznam1"));
    seznam1->setGeometry(344, 40, 505, 265);
    FormCreate();
}

void TForm2::FormCreate() {}

void TForm2::RebuildCategoryLists() {}

}  // namespace lumor
