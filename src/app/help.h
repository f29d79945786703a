#pragma once
#include <string>

namespace lumor {

/// The program's guide as an HTML page (UTF-8) for its help window: the student's quick start
/// done with the keyboard, the keys of every command, what the verdict and the bit rate mean,
/// and where files go, with the folder the report is written to.
std::string helpPage(const std::string& reportFolder);

}  // namespace lumor
