#pragma once
// A read-only view of a string table for a QTableView: rows 1 and on, with
// row 0 as the column headings.
#include "store/core/stringtable.h"

#include <QAbstractTableModel>

namespace brenvik {

class StringTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringTableModel(const brenvik::StringTable& table, QObject* parent = nullptr);

    // Call after the table changed; a changed row count resets the view.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const brenvik::StringTable& table_;
    int rows_ = 0;
    int cols_ = 0;
};

}  // namespace brenvik
