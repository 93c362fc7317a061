#include "store/inventory/screens/InventoryModel.h"

#include "ui/text.h"

#include <algorithm>

namespace brenvik {

InventoryModel::InventoryModel(brenvik::Store& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {
    rows_ = store_.ItemCount();
    checks_.assign(static_cast<std::size_t>(rows_), false);
}

void InventoryModel::Refill() {
    const int count = store_.ItemCount();
    if (count == rows_) {
        if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    rows_ = count;
    checks_.assign(static_cast<std::size_t>(rows_), false);
    endResetModel();
}

void InventoryModel::RefreshItem(int item) {
    if (item >= 0 && item < rows_) emit dataChanged(index(item, 0), index(item, columnCount() - 1));
}

bool InventoryModel::IsChecked(int item) const {
    return item >= 0 && item < rows_ && checks_[static_cast<std::size_t>(item)];
}

void InventoryModel::SetChecked(int item, bool checked) {
    if (item < 0 || item >= rows_ || checks_[static_cast<std::size_t>(item)] == checked) return;
    checks_[static_cast<std::size_t>(item)] = checked;
    emit dataChanged(index(item, 0), index(item, 0), {Qt::CheckStateRole});
}

void InventoryModel::SetCheckStates(const std::vector<bool>& states) {
    checks_ = states;
    checks_.resize(static_cast<std::size_t>(rows_), false);
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, 0), {Qt::CheckStateRole});
}

int InventoryModel::AppendItem() {
    beginInsertRows({}, rows_, rows_);
    store_.AppendItem();
    checks_.push_back(false);
    ++rows_;
    endInsertRows();
    return rows_ - 1;
}

void InventoryModel::InsertItem(int item, const std::vector<std::string>& values,
                                brenvik::HistoryList history) {
    item = std::clamp(item, 0, rows_);
    beginInsertRows({}, item, item);
    store_.InsertItem(item + 1, values, std::move(history));
    checks_.insert(checks_.begin() + item, false);
    ++rows_;
    endInsertRows();
}

void InventoryModel::RemoveItem(int item) {
    if (item < 0 || item >= rows_) return;
    beginRemoveRows({}, item, item);
    store_.RemoveItem(item + 1);
    checks_.erase(checks_.begin() + item);
    --rows_;
    endRemoveRows();
}

void InventoryModel::SwapItems(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= rows_ || b >= rows_) return;
    store_.SwapItems(a + 1, b + 1);
    bool ca = checks_[static_cast<std::size_t>(a)];
    checks_[static_cast<std::size_t>(a)] = checks_[static_cast<std::size_t>(b)];
    checks_[static_cast<std::size_t>(b)] = ca;
    RefreshItem(a);
    RefreshItem(b);
}

void InventoryModel::SortByColumn(int column, bool ascending) {
    emit layoutAboutToBeChanged();
    std::vector<int> order = store_.SortedOrder(column, ascending);
    std::vector<bool> checks(checks_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        checks[i] = checks_[static_cast<std::size_t>(order[i] - 1)];
    store_.ReorderItems(order);
    checks_ = std::move(checks);
    // Selections and the current item follow their item to its new place.
    std::vector<int> newPlace(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        newPlace[static_cast<std::size_t>(order[i] - 1)] = static_cast<int>(i);
    const QModelIndexList old = persistentIndexList();
    QModelIndexList moved;
    for (const QModelIndex& ix : old)
        moved.append(index(newPlace[static_cast<std::size_t>(ix.row())], ix.column()));
    changePersistentIndexList(old, moved);
    emit layoutChanged();
}

int InventoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}
int InventoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.FieldCount();
}

QVariant InventoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    if (role == Qt::DisplayRole) return ui::ToQ(store_.Data.Cell(index.column(), index.row() + 1));
    if (role == Qt::CheckStateRole && index.column() == 0)
        return checks_[static_cast<std::size_t>(index.row())] ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool InventoryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole) return false;
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags InventoryModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant InventoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= store_.FieldCount()) return {};
    return ui::ToQ(store_.Fields[static_cast<std::size_t>(section)].name);
}

}  // namespace brenvik
