#include "store/sales/screens/SaleLineModel.h"

#include "ui/text.h"

namespace brenvik {

namespace {

const char* const kCaptions[] = {"Item ", "Barcode", "Price", "Quantity", "% Discount", "Total"};

const std::string& Cell(const brenvik::SaleLine& l, int column) {
    switch (column) {
    case 0:
        return l.item;
    case 1:
        return l.barcode;
    case 2:
        return l.price;
    case 3:
        return l.quantity;
    case 4:
        return l.discount;
    default:
        return l.total;
    }
}

}  // namespace

int SaleLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int SaleLineModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

QVariant SaleLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(lines_.size())) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return ui::ToQ(Cell(lines_[index.row()], index.column()));
    return {};
}

QVariant SaleLineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 6)
        return QString::fromLatin1(kCaptions[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void SaleLineModel::Reset() {
    beginResetModel();
    endResetModel();
}

void SaleLineModel::LineChanged(int line) { emit dataChanged(index(line, 0), index(line, 5)); }

std::vector<std::string> SaleLineModel::Values(const brenvik::SaleLine& l) {
    return {l.item, l.barcode, l.price, l.quantity, l.discount, l.total};
}

brenvik::SaleLine SaleLineModel::FromValues(const std::vector<std::string>& v) {
    auto at = [&](std::size_t i) { return i < v.size() ? v[i] : std::string(); };
    return {at(0), at(1), at(2), at(3), at(4), at(5)};
}

}  // namespace brenvik
