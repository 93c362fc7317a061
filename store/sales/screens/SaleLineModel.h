#pragma once
// The sale and refund lists: six columns over the page's lines.
#include "store/sales/totals.h"

#include <QAbstractTableModel>

#include <vector>

namespace brenvik {

class SaleLineModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SaleLineModel(std::vector<brenvik::SaleLine>& lines, QObject* parent = nullptr)
        : QAbstractTableModel(parent), lines_(lines) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The lines changed under the views.
    void Reset();
    void LineChanged(int line);

    // A line as the line editor takes it (caption and five values), and back.
    static std::vector<std::string> Values(const brenvik::SaleLine& line);
    static brenvik::SaleLine FromValues(const std::vector<std::string>& values);

private:
    std::vector<brenvik::SaleLine>& lines_;
};

}  // namespace brenvik
