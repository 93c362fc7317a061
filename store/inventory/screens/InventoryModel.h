#pragma once
// The inventory list: one row per item of the store's inventory table (list
// item k is table row k + 1), one column per field, and the user's check
// marks in column 0 (Qt::CheckStateRole). The table is the list's content;
// the check marks live only here.
#include "store/inventory/store.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace brenvik {

class InventoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit InventoryModel(brenvik::Store& store, QObject* parent = nullptr);

    brenvik::Store& GetStore() const { return store_; }
    int ItemCount() const { return rows_; }

    // The table changed: with the same number of items the rows are redrawn
    // and keep their check marks; otherwise the list is rebuilt unchecked.
    void Refill();
    void RefreshItem(int item);

    bool IsChecked(int item) const;
    void SetChecked(int item, bool checked);
    std::vector<bool> CheckStates() const { return checks_; }
    void SetCheckStates(const std::vector<bool>& states);

    // Item operations; check marks and histories go with their items.
    int AppendItem();
    void InsertItem(int item, const std::vector<std::string>& values, brenvik::HistoryList history);
    void RemoveItem(int item);
    void SwapItems(int a, int b);
    void SortByColumn(int column, bool ascending);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    brenvik::Store& store_;
    int rows_ = 0;
    std::vector<bool> checks_;
};

}  // namespace brenvik
