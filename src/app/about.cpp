#include "app/about.h"

namespace lumor {

std::string aboutText() {
    return "Tento program vytvořil\r\nProjekt Lumor\r\n2007\r\nEmail: lumor@example.org\r\n"
           "Doporučené rozlišení:\r\n1024x768";
}

}  // namespace lumor
