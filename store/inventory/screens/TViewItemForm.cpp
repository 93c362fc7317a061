#include "store/inventory/screens/TViewItemForm.h"

#include "store/core/money.h"
#include "store/inventory/history.h"
#include "store/inventory/screens/InventoryHost.h"
#include "store/inventory/screens/ItemDetailsGrid.h"
#include "store/inventory/screens/StringTableModel.h"
#include "store/inventory/screens/TEditSaleForm.h"
#include "store/inventory/store.h"
#include "store/labels/screens/TBarCodeForm.h"
#include "store/reports/screens/TQuickSalesForm.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace brenvik {

TViewItemForm::TViewItemForm(InventoryHost& view, int item, QWidget* parent)
    : QDialog(parent), view_(view), item_(item) {
    setObjectName("TViewItemForm");
    setWindowTitle("View Item");
    resize(720, 520);

    dir_.SetRowCount(brenvik::kHistoryTableRows);
    brenvik::ClearGrid(dir_);

    pages_ = new QTabWidget(this);
    pages_->setObjectName("ItemBook");

    auto* details = new QWidget(pages_);
    grid_ = new ItemDetailsGrid(details);
    grid_->InventoryBarCodes = [this] { return view_.GetStore().BarCodes(); };
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->addWidget(grid_);
    pages_->addTab(details, "Item Details");

    auto* history = new QWidget(pages_);
    name_ = new QLineEdit(history);
    name_->setObjectName("IHName");
    name_->setReadOnly(true);
    dirModel_ = new StringTableModel(dir_, this);
    dirView_ = new QTableView(history);
    dirView_->setObjectName("DirGrid");
    dirView_->setModel(dirModel_);
    dirView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    dirView_->setSelectionMode(QAbstractItemView::SingleSelection);
    dirView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui::KeepColumnsFitted(dirView_, 80);
    dirView_->horizontalHeader()->setStretchLastSection(true);
    connect(dirView_, &QTableView::doubleClicked, this, [this] { EditHistoryBtnClick(); });

    auto* report = ui::NamedButton(history, "HistoryReportBtn", "Report");
    auto* add = ui::NamedButton(history, "AddHistoryBtn", "Add");
    auto* edit = ui::NamedButton(history, "EditHistoryBtn", "Edit");
    auto* clear = ui::NamedButton(history, "ClearHistoryBtn", "Clear");
    connect(report, &QPushButton::clicked, this, &TViewItemForm::HistoryReportBtnClick);
    connect(add, &QPushButton::clicked, this, &TViewItemForm::AddHistoryBtnClick);
    connect(edit, &QPushButton::clicked, this, &TViewItemForm::EditHistoryBtnClick);
    connect(clear, &QPushButton::clicked, this, &TViewItemForm::ClearHistoryBtnClick);
    auto* historyLayout = new QVBoxLayout(history);
    historyLayout->addLayout(ui::FieldRows({{"Item", name_}}));
    historyLayout->addWidget(dirView_, 1);
    historyLayout->addLayout(ui::SpreadRow({report}, {add, edit, clear}));
    pages_->addTab(history, "Item History");

    auto* barcode = ui::NamedButton(this, "PrintBarcodeBtn", "Print Barcode");
    connect(barcode, &QPushButton::clicked, this, &TViewItemForm::PrintBarcodeBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(ui::OkCancelRow(*this, [this] { OKBtnClick(); }, {barcode}));
}

TViewItemForm::~TViewItemForm() = default;

void TViewItemForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TViewItemForm::FormShow() {
    if (filled_) return;
    filled_ = true;
    brenvik::Store& store = view_.GetStore();
    const int row = item_ + 1;
    grid_->FillItem(store.Fields, store.ItemValues(row));
    name_->setText(ui::ToQ(store.Data.Cell(brenvik::GridField(store.Data, "item"), row)));
    brenvik::ListToDir(dir_, store.History(row));
    dirModel_->Refresh();
}

void TViewItemForm::SaveChanges() {
    brenvik::Store& store = view_.GetStore();
    const int row = item_ + 1;
    store.SetItemValues(row, grid_->Values());
    view_.ListToGrid();
    brenvik::DirToList(dir_, store.History(row));
}

void TViewItemForm::OKBtnClick() {
    SaveChanges();
    accept();
}

void TViewItemForm::PrintBarcodeBtnClick() {
    SaveChanges();
    view_.RefreshItem(item_);
    const auto value = EditItemBarcode(view_, item_, this);
    const int row = grid_->RowOf("Bar Code");
    if (value && row >= 0) grid_->SetValue(row, *value);
}

void TViewItemForm::AddHistoryBtnClick() {
    const int row = brenvik::FindFreeHistoryRow(dir_);
    dirModel_->Refresh();
    TEditSaleForm editor(dir_, row, this);
    if (ui::platform().ShowModal(editor) != QDialog::Accepted) {
        dirModel_->Refresh();
        return;
    }
    dirModel_->Refresh();
    dirView_->selectRow(row - 1);

    const std::string activity = dir_.CellText(1, row);
    const std::string quantity = dir_.CellText(3, row);
    const bool adds = activity == "Product Received from Supplier" || activity == "Product Return";
    const bool subtracts = activity == "Invoice Sale";
    if (adds) view_.AddQuantity(item_, quantity);
    if (subtracts) view_.UpdateQuantity(item_, quantity);
    // The details table is copied into the item on "OK": give its quantity
    // the same change, so the stock change is not undone there.
    if (adds || subtracts) {
        const int qtyRow = grid_->RowOf("Quantity");
        if (qtyRow >= 0) {
            const std::string shown = grid_->Value(qtyRow);
            const std::string changed = adds ? brenvik::AddStrings(shown, quantity)
                                             : brenvik::SubtractStrings(shown, quantity);
            grid_->SetValue(qtyRow, brenvik::FormatFixed(brenvik::ReadLenient(changed), 0));
        }
    }
    view_.ListToGrid();
}

void TViewItemForm::EditHistoryBtnClick() {
    const QModelIndex current = dirView_->currentIndex();
    if (!current.isValid()) return;
    const int row = current.row() + 1;
    TEditSaleForm editor(dir_, row, this);
    ui::platform().ShowModal(editor);
    dirModel_->Refresh();
}

void TViewItemForm::ClearHistoryBtnClick() {
    if (!ui::platform().ConfirmDestructive(
            "Item Hhstory will be cleared.  Are you sure you want to continue ?"))
        return;
    for (int r = 1; r < dir_.RowCount(); ++r) {
        for (int c = 0; c < 6; ++c) dir_.SetCell(c, r, "");
        dir_.SetTag(0, r, brenvik::HistoryRowCleared);
    }
    dirModel_->Refresh();
}

// The quick sales report is opened here.
void TViewItemForm::HistoryReportBtnClick() { OpenQuickSalesReport(view_, this); }

}  // namespace brenvik
