#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace lumor::cli {

/// How a column of a text table lines up.
enum class Align { Left, Right };

/// A readable table: the header, a rule of "-" under each column, then the rows. Columns are
/// two spaces apart and padded by characters (UTF-8 code points), not bytes, so Czech texts
/// line up; the last column is never padded and no line ends in spaces. A row shorter than
/// the header is filled with empty cells.
std::string textTable(const std::vector<std::string>& header, const std::vector<Align>& align,
                      const std::vector<std::vector<std::string>>& rows);

}  // namespace lumor::cli
