#include "store/inventory/screens/StringTableModel.h"

#include "ui/text.h"

namespace brenvik {

StringTableModel::StringTableModel(const brenvik::StringTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    rows_ = table_.RowCount() - 1;
    cols_ = table_.ColCount();
}

void StringTableModel::Refresh() {
    if (rows_ != table_.RowCount() - 1 || cols_ != table_.ColCount()) {
        beginResetModel();
        rows_ = table_.RowCount() - 1;
        cols_ = table_.ColCount();
        endResetModel();
        return;
    }
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

int StringTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}
int StringTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant StringTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    return ui::ToQ(table_.Cell(index.column(), index.row() + 1));
}

QVariant StringTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return ui::ToQ(table_.Cell(section, 0));
}

}  // namespace brenvik
