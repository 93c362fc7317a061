#include "store/inventory/screens/TAddInventoryForm.h"

#include "store/core/datetext.h"
#include "store/inventory/screens/ItemDetailsGrid.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenvik {

namespace {
constexpr int kBarCodeRow = 2;
}

TAddInventoryForm::TAddInventoryForm(brenvik::Store& store, int row, QWidget* parent)
    : QDialog(parent), store_(store), row_(row) {
    setObjectName("TAddInventoryForm");
    setWindowTitle("Add Item");
    resize(460, 480);

    grid_ = new ItemDetailsGrid(this);
    grid_->InventoryBarCodes = [this] { return store_.BarCodes(); };
    auto_ = new QCheckBox("Auto Assign Barcode", this);
    auto_->setObjectName("AutoAssignBarcode");
    connect(auto_, &QCheckBox::toggled, this, [this] { AutoAssignBarcodeClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(ui::OkCancelRow(*this, [this] { OKBtnClick(); }, {auto_}));
}

void TAddInventoryForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TAddInventoryForm::FormShow() {
    if (filled_) return;
    filled_ = true;
    std::vector<std::string> values = store_.ItemValues(row_);
    if (!values.empty() && values[0].empty()) values[0] = brenvik::FormatDate(brenvik::Today());
    grid_->FillItem(store_.Fields, values);
    auto_->setChecked(store_.Values.autoBarcode);
    AutoAssignBarcodeClick();
}

void TAddInventoryForm::AutoAssignBarcodeClick() {
    if (filled_ && auto_->isChecked() && grid_->Value(kBarCodeRow).empty())
        grid_->SetValue(kBarCodeRow, store_.NextBarcodeNumber());
}

void TAddInventoryForm::OKBtnClick() {
    store_.SetItemValues(row_, grid_->Values());
    store_.Values.autoBarcode = auto_->isChecked();
    accept();
}

}  // namespace brenvik
