#pragma once
#include "text/text_table.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <memory>
#include <optional>

namespace lumor {

/// Shows a text table (a record list): table row 0 as the column headers, table column 0 as
/// the row captions, the records below and to the right of them. Every cell is read from the
/// table when the view asks; after each change of the table the model tells its view which
/// columns came or went and that the texts changed.
class GridModel : public QAbstractTableModel, private TextTable::Listener {
    Q_OBJECT
public:
    explicit GridModel(TextTable& table, QObject* parent = nullptr);
    ~GridModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void tableChanged() override;

    TextTable& table_;
    int columns_;  ///< the table's column count as the view knows it
};

/// A cell rectangle in grid coordinates (column, row), both corners included.
struct GridSelection {
    int left, top, right, bottom;
};

/// A text table on screen: 110-pixel columns, 19-pixel rows, cells selectable, not editable.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    /// The table shown; given once, after the form is set up.
    void setTable(TextTable& table);

    /// The selected cells as one rectangle, or nothing when no cell is selected.
    std::optional<GridSelection> selection() const;
    /// Selects the cells (col, firstRow) to (col, lastRow) in grid coordinates.
    void selectColumnCells(int col, int firstRow, int lastRow);

private:
    std::unique_ptr<GridModel> model_;
};

}  // namespace lumor
