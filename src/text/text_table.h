#pragma once
#include <string>

namespace lumor {

/// A table of texts addressed as (column, row), as the route and library tables are shown:
/// column 0 holds the row captions, row 0 the column headers, the records fill columns 1 and
/// up. It holds no texts of its own: whoever implements it computes each cell from what it
/// stores, so what a view shows can never differ from the data.
class TextTable {
public:
    /// Told after every change of the table (its cells, its column count), before anyone
    /// else hears of the change, so that a view has caught up when others look at it.
    class Listener {
    public:
        virtual void tableChanged() = 0;

    protected:
        ~Listener() = default;
    };

    virtual int rowCount() const = 0;
    /// Columns shown, the caption column included.
    virtual int colCount() const = 0;
    /// The text of a cell; empty outside the table.
    virtual std::string cell(int col, int row) const = 0;

    /// The one view that follows the table (nothing: none).
    void setListener(Listener* listener) { listener_ = listener; }

protected:
    TextTable() = default;
    ~TextTable() = default;
    TextTable(const TextTable&) = default;
    TextTable& operator=(const TextTable&) = default;
    void tellChanged() const {
        if (listener_ != nullptr) listener_->tableChanged();
    }

private:
    Listener* listener_ = nullptr;
};

/// "1." to "100.": the header of table column `col`; columns beyond 100 have none, nor has
/// the caption column.
std::string columnHeader(int col);

}  // namespace lumor
