#pragma once

namespace lumor {

/// Makes Qt's own texts Czech whatever the desktop's language: loads Qt's Czech translation
/// (qtbase_cs from the installed Qt translations folder) into the running application, so
/// that file dialogs and message boxes say "Otevřít", "Uložit", "Zrušit", "Ano", "Ne".
/// False when the translation is not installed (Qt's texts then stay English). Call it once,
/// after the application object is made.
bool loadQtCzech();

}  // namespace lumor
