#pragma once
#include "text/string_grid.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <memory>
#include <optional>

namespace lumor {

/// Shows a record list's grid: grid row 0 as the column headers, grid column 0 as the row
/// captions, the records below and to the right of them.
class GridModel : public QAbstractTableModel, private StringGrid::Listener {
    Q_OBJECT
public:
    explicit GridModel(StringGrid& grid, QObject* parent = nullptr);
    ~GridModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void cellChanged(int col, int row) override;
    void columnCountAboutToChange(int oldCount, int newCount) override;
    void columnCountChanged() override;
    void cellsChanged() override;

    StringGrid& grid_;
    bool inserting_ = false;
    bool removing_ = false;
};

/// A cell rectangle in grid coordinates (column, row), both corners included.
struct GridSelection {
    int left, top, right, bottom;
};

/// A string grid on screen: 110-pixel columns, 19-pixel rows, cells selectable, not editable.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    /// The grid shown; given once, after the form is set up.
    void setGrid(StringGrid& grid);

    /// The selected cells as one rectangle, or nothing when no cell is selected.
    std::optional<GridSelection> selection() const;
    /// Selects the cells (col, firstRow) to (col, lastRow) in grid coordinates.
    void selectColumnCells(int col, int firstRow, int lastRow);

private:
    std::unique_ptr<GridModel> model_;
};

}  // namespace lumor
