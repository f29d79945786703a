#include "platform/ui/grid_view.h"

#include "platform/gui/qtext.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>
#include <climits>

namespace lumor {

GridModel::GridModel(TextTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(table.colCount()) {
    table_.setListener(this);
}

GridModel::~GridModel() { table_.setListener(nullptr); }

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.rowCount() - 1; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_ - 1; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    const std::string text = table_.cell(index.column() + 1, index.row() + 1);
    if (role == Qt::ToolTipRole && text.size() < 16) return {};  // long texts only
    return toQ(text);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) return toQ(table_.cell(section + 1, 0));
    return toQ(table_.cell(0, section + 1));
}

void GridModel::tableChanged() {
    const int columns = table_.colCount();
    if (columns > columns_) {
        beginInsertColumns({}, columns_ - 1, columns - 2);
        columns_ = columns;
        endInsertColumns();
    } else if (columns < columns_) {
        beginRemoveColumns({}, columns - 1, columns_ - 2);
        columns_ = columns;
        endRemoveColumns();
    }
    if (columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(110);
    horizontalHeader()->setMinimumSectionSize(10);
    horizontalHeader()->setFixedHeight(19);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(10);
    verticalHeader()->setDefaultSectionSize(19);
    verticalHeader()->setFixedWidth(110);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setHighlightSections(false);
    setWordWrap(false);
}

void GridView::setTable(TextTable& table) {
    model_ = std::make_unique<GridModel>(table);
    setModel(model_.get());
}

std::optional<GridSelection> GridView::selection() const {
    if (!selectionModel()) return std::nullopt;
    const QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty()) return std::nullopt;
    GridSelection s{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const QModelIndex& i : cells) {
        s.left = std::min(s.left, i.column() + 1);
        s.right = std::max(s.right, i.column() + 1);
        s.top = std::min(s.top, i.row() + 1);
        s.bottom = std::max(s.bottom, i.row() + 1);
    }
    return s;
}

void GridView::selectColumnCells(int col, int firstRow, int lastRow) {
    if (!model_) return;
    const QModelIndex from = model_->index(firstRow - 1, col - 1);
    const QModelIndex to = model_->index(lastRow - 1, col - 1);
    if (!from.isValid() || !to.isValid()) return;
    selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
}

}  // namespace lumor
