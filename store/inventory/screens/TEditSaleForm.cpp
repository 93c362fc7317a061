#include "store/inventory/screens/TEditSaleForm.h"

#include "store/core/datetext.h"
#include "store/core/fields.h"
#include "store/inventory/history.h"
#include "store/inventory/screens/ClickGrid.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenvik {

namespace {
constexpr int kDateRow = 0;
constexpr int kActivityRow = 1;
const char* const kActivities[] = {"Product Received from Supplier", "Product Return",
                                   "Invoice Sale"};

std::string DateText(const QDate& d) { return brenvik::FormatDate({d.year(), d.month(), d.day()}); }
}  // namespace

TEditSaleForm::TEditSaleForm(brenvik::StringTable& dir, int row, QWidget* parent)
    : QDialog(parent), dir_(dir), row_(row) {
    setObjectName("TEditSaleForm");
    setWindowTitle("Edit Invoice History");
    resize(420, 280);

    grid_ = new ClickGrid(this);
    grid_->setObjectName("EditGrid");
    connect(grid_, &ClickGrid::MouseDown, this, &TEditSaleForm::EditGridMouseDown);
    auto* hint = new QLabel("Right click grid to auto-fill date. ", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(ui::OkCancelRow(*this, [this] { OKBtnClick(); }, {hint}));
}

void TEditSaleForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TEditSaleForm::FormShow() {
    if (filled_) return;
    filled_ = true;
    std::vector<std::string> values;
    for (int c = 0; c < 6; ++c) values.push_back(dir_.CellText(c, row_));
    grid_->Fill(brenvik::HistoryFieldNames(), values, std::vector<bool>(6, true));
}

void TEditSaleForm::EditGridMouseDown(int row, Qt::MouseButton button, const QPoint& globalPos) {
    if (row == kDateRow && button == Qt::LeftButton) {
        brenvik::Date today = brenvik::Today();
        if (auto picked = ui::platform().PickDate(globalPos + QPoint(10, 10),
                                                  QDate(today.year, today.month, today.day)))
            grid_->SetValue(kDateRow, DateText(*picked));
    } else if (row == kDateRow && button == Qt::RightButton) {
        grid_->SetValue(kDateRow, brenvik::FormatDate(brenvik::Today()));
    } else if (row == kActivityRow && button == Qt::LeftButton) {
        std::vector<ui::MenuEntry> entries;
        for (const char* a : kActivities) entries.push_back({a});
        int chosen = ui::platform().PopupMenu(globalPos, entries);
        if (chosen >= 0 && chosen < 3) grid_->SetValue(kActivityRow, kActivities[chosen]);
    }
}

void TEditSaleForm::OKBtnClick() {
    for (int c = 0; c < 6; ++c) dir_.SetCell(c, row_, brenvik::HistoryValue(grid_->Value(c)));
    dir_.SetTag(0, row_, brenvik::HistoryRowInUse);
    accept();
}

}  // namespace brenvik
