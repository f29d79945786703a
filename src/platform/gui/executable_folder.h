#pragma once
#include <string>

namespace lumor {

/// The folder of the running executable (symbolic links resolved), in UTF-8 with the
/// platform's separators and a separator at its end. Needs a Qt application object.
std::string executableFolder();

}  // namespace lumor
