#include "library/component_editor.h"

#include "platform/icons.h"

namespace lumor {

TForm3::TForm3(Forms& forms) : QDialog(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Přidej/Uprav komponentu"));
    setFont(formFont(11));
    setFixedSize(411, 517);
    FormCreate();
}

void TForm3::FormCreate() { forms_.state.library.LoadLibrary(kStandardLibraryPath); }

}  // namespace lumor
