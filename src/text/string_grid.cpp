#include "text/string_grid.h"

#include <algorithm>

namespace lumor {

namespace {
const std::string kEmpty;
}

StringGrid::StringGrid(int rowCount, int colCount)
    : rowCount_(std::max(1, rowCount)), colCount_(std::max(1, std::min(colCount, kMaxColumns))) {}

void StringGrid::setColCount(int count) {
    count = std::max(1, std::min(count, kMaxColumns));
    if (count == colCount_) return;
    if (listener_) listener_->columnCountAboutToChange(colCount_, count);
    colCount_ = count;
    if (listener_) listener_->columnCountChanged();
}

const std::string& StringGrid::cell(int col, int row) const {
    if (col < 0 || row < 0 || row >= rowCount_ || col >= static_cast<int>(cells_.size())) return kEmpty;
    return cells_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

void StringGrid::setCell(int col, int row, const std::string& text) {
    if (col < 0 || row < 0 || col >= kMaxColumns || row >= rowCount_) return;
    if (col >= static_cast<int>(cells_.size())) {
        if (text.empty()) return;
        cells_.resize(static_cast<std::size_t>(col) + 1, std::vector<std::string>(static_cast<std::size_t>(rowCount_)));
    }
    auto& c = cells_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
    if (c == text) return;
    c = text;
    if (col >= colCount_) return;
    if (batchDepth_ > 0) {
        batchDirty_ = true;
    } else if (listener_) {
        listener_->cellChanged(col, row);
    }
}

void StringGrid::blankColumn(int col, int firstRow, int lastRow) {
    for (int r = firstRow; r <= lastRow; ++r) setCell(col, r, std::string());
}

}  // namespace lumor
