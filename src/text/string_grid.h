#pragma once
#include <functional>
#include <string>
#include <vector>

namespace lumor {

/// A table of texts addressed as (column, row), as the route and library tables are shown:
/// column 0 and row 0 hold captions and headers, the records fill columns 1 and up.
class StringGrid {
public:
    /// Told about changes so that a view can follow the grid.
    struct Listener {
        virtual ~Listener() = default;
        virtual void cellChanged(int col, int row) = 0;
        virtual void columnCountAboutToChange(int oldCount, int newCount) = 0;
        virtual void columnCountChanged() = 0;
        /// Many cells changed at once (told instead of each cellChanged).
        virtual void cellsChanged() = 0;
    };

    /// Holds back the cell notifications while it lives and tells the listener once at the
    /// end: a list rewriting thousands of cells keeps its view from redrawing each one.
    class Batch {
    public:
        explicit Batch(StringGrid& grid) : grid_(grid) { ++grid_.batchDepth_; }
        ~Batch() {
            if (--grid_.batchDepth_ == 0 && grid_.batchDirty_) {
                grid_.batchDirty_ = false;
                if (grid_.listener_) grid_.listener_->cellsChanged();
            }
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        StringGrid& grid_;
    };

    StringGrid(int rowCount, int colCount);

    int rowCount() const { return rowCount_; }
    int colCount() const { return colCount_; }
    /// Sets the number of columns shown. Texts of columns beyond the count are kept, as the
    /// headers "1." to "100." are written once for columns that appear later.
    void setColCount(int count);

    /// The text of a cell; an empty text where nothing was written.
    const std::string& cell(int col, int row) const;
    /// Writes a cell, also beyond the column count; a negative column or a row outside the
    /// grid is ignored.
    void setCell(int col, int row, const std::string& text);
    /// Empties rows `firstRow` to `lastRow` of one column.
    void blankColumn(int col, int firstRow, int lastRow);

    void setListener(Listener* listener) { listener_ = listener; }

private:
    static constexpr int kMaxColumns = 100000;
    int rowCount_;
    int colCount_;
    std::vector<std::vector<std::string>> cells_;  // [col][row]
    Listener* listener_ = nullptr;
    int batchDepth_ = 0;
    bool batchDirty_ = false;
};

}  // namespace lumor
