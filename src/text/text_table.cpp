#include "text/text_table.h"

namespace lumor {

std::string columnHeader(int col) {
    constexpr int kNumberedColumns = 100;
    if (col < 1 || col > kNumberedColumns) return {};
    return std::to_string(col) + ".";
}

}  // namespace lumor
