#include "store/inventory/screens/TView.h"

#include "store/core/error.h"
#include "store/core/money.h"
#include "store/customers/screens/TCustomerListForm.h"
#include "store/inventory/screens/TAddInventoryForm.h"
#include "store/inventory/screens/TSearchForm.h"
#include "store/inventory/screens/TViewItemForm.h"
#include "store/labels/screens/TBarCodeForm.h"
#include "store/reports/screens/TExportForm.h"
#include "store/reports/screens/TImportForm.h"
#include "store/reports/screens/TQuickReportForm.h"
#include "store/sales/screens/TPOSForm.h"
#include "ui/fontconv.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace brenvik {

using brenvik::MsgButtons;
using brenvik::MsgKind;

TView::TView(const std::string& dataFolder, QWidget* parent)
    : QDialog(parent), store_(std::make_unique<brenvik::Store>(dataFolder)) {
    setObjectName("TView");
    setWindowTitle("Inventory View");
    resize(980, 620);

    model_ = new InventoryModel(*store_, this);
    inventory_ = new QTreeView(this);
    inventory_->setObjectName("Inventory");
    inventory_->setRootIsDecorated(false);
    inventory_->setUniformRowHeights(true);
    inventory_->setAlternatingRowColors(true);
    inventory_->setSelectionMode(QAbstractItemView::SingleSelection);
    inventory_->setSelectionBehavior(QAbstractItemView::SelectRows);
    inventory_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    inventory_->setModel(model_);
    inventory_->header()->setSectionsClickable(true);
    inventory_->header()->setSortIndicatorShown(false);
    inventory_->header()->setStretchLastSection(false);
    ui::KeepColumnsFitted(inventory_, 80);
    connect(inventory_->header(), &QHeaderView::sectionClicked, this, &TView::InventoryColumnClick);
    connect(inventory_, &QTreeView::doubleClicked, this, [this] { InventoryDblClick(); });

    auto* hint = new QLabel("Double click list item to edit or view history.", this);
    hint->setAlignment(Qt::AlignCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ui::NamedButton(this, "AddBtn", "Add  Item"));
    buttons->addWidget(ui::NamedButton(this, "RemoveSelectedBtn", "Remove Item"));
    buttons->addWidget(ui::NamedButton(this, "SearchBtn", "Search"));
    buttons->addWidget(ui::NamedButton(this, "AnalyzeBtn", "Report"));
    buttons->addWidget(ui::NamedButton(this, "GenerateBarcodeBtn", "Print Barcode"));
    buttons->addWidget(ui::NamedButton(this, "OKBtn", "Close"));
    buttons->addStretch();

    auto* pictures = new QHBoxLayout;
    pictures->setSpacing(2);
    pictures->addStretch();
    pictures->addWidget(AddPicture("PreviousRecordBtn", "\u25C0 \u2713", "Previous checked item"));
    pictures->addWidget(AddPicture("NextRecordBtn", "\u2713 \u25B6", "Next checked item"));
    pictures->addWidget(AddPicture("ViewSelectedBtn", "View", "View the selected item"));
    pictures->addWidget(AddPicture("PreviousSearchRecordBtn", "\u25B2", "Item above"));
    pictures->addWidget(AddPicture("NextSearchRecordBtn", "\u25BC", "Item below"));
    pictures->addWidget(AddPicture("QuickFindBtn", "Find", "Quick find by bar code"));
    pictures->addWidget(AddPicture("CopyBtn", "Copy", "Copy the selected item"));
    pictures->addWidget(
        AddPicture("PasteBtn", "Paste", "Paste the copied item above the selected one"));
    pictures->addWidget(AddPicture("MoveUpBtn", "Move \u25B2", "Move the selected item up"));
    pictures->addWidget(AddPicture("MoveDownBtn", "Move \u25BC", "Move the selected item down"));
    pictures->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inventory_, 1);
    layout->addWidget(hint);
    layout->addLayout(buttons);
    layout->addLayout(pictures);

    auto wire = [this](const char* name, void (TView::*handler)()) {
        if (auto* b = findChild<QAbstractButton*>(name))
            connect(b, &QAbstractButton::clicked, this, handler);
    };
    wire("AddBtn", &TView::AddBtnClick);
    wire("RemoveSelectedBtn", &TView::RemoveSelectedBtnClick);
    wire("SearchBtn", &TView::SearchBtnClick);
    wire("AnalyzeBtn", &TView::AnalyzeBtnClick);
    wire("GenerateBarcodeBtn", &TView::GenerateBarcodeBtnClick);
    wire("OKBtn", &TView::OKBtnClick);
    wire("PreviousRecordBtn", &TView::PreviousRecordBtnClick);
    wire("NextRecordBtn", &TView::NextRecordBtnClick);
    wire("ViewSelectedBtn", &TView::ViewSelectedBtnClick);
    wire("PreviousSearchRecordBtn", &TView::PreviousSearchRecordBtnClick);
    wire("NextSearchRecordBtn", &TView::NextSearchRecordBtnClick);
    wire("QuickFindBtn", &TView::QuickFindBtnClick);
    wire("CopyBtn", &TView::CopyBtnClick);
    wire("PasteBtn", &TView::PasteBtnClick);
    wire("MoveUpBtn", &TView::MoveUpBtnClick);
    wire("MoveDownBtn", &TView::MoveDownBtnClick);
}

TView::~TView() = default;

QToolButton* TView::AddPicture(const QString& name, const QString& text, const QString& tip) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(false);
    return b;
}

void TView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TView::FormActivate() {
    if (!firstTime_) return;
    firstTime_ = false;  // a table that fails is reported once, not at every activation
    copyValues_.reset();
    copyHistory_.clear();
    checkState_.clear();
    std::vector<std::string> errors = store_->LoadInventory();
    GridToList();
    for (const std::string& e : errors) ui::ShowError(brenvik::StoreError(e));
}

void TView::ListToGrid() { store_->ConformData(); }

void TView::GridToList() {
    store_->SyncHistories();
    model_->Refill();
}

void TView::SaveCheckState() { checkState_ = model_->CheckStates(); }
void TView::LoadCheckState() { model_->SetCheckStates(checkState_); }

void TView::UpdateQuantity(int item, std::string_view amount) {
    store_->UpdateQuantity(item + 1, amount);
    model_->RefreshItem(item);
    ListToGrid();
}

void TView::AddQuantity(int item, std::string_view amount) {
    store_->AddQuantity(item + 1, amount);
    model_->RefreshItem(item);
}

void TView::ComputeDerivedFields() { store_->ComputeDerivedFields(); }

int TView::SelectedItem() const {
    const QModelIndexList rows = inventory_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TView::SelectItem(int item) {
    if (item < 0 || item >= model_->ItemCount()) {
        inventory_->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(item, 0);
    inventory_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    inventory_->scrollTo(index);
}

bool TView::FormClose() {
    ListToGrid();
    try {
        store_->SaveInventory();
    } catch (const std::exception& e) {
        ui::ShowError(e);
        return false;
    }
    return true;
}

void TView::done(int result) {
    // Closing by any way saves; a file that cannot be written keeps the
    // window open so nothing typed since is lost.
    if (isVisible() && !FormClose()) return;
    QDialog::done(result);
}

void TView::OKBtnClick() { close(); }

bool TView::ViewItem(int item) {
    if (item < 0 || item >= model_->ItemCount()) return false;
    ListToGrid();
    TViewItemForm form(*this, item, this);
    int result = ui::platform().ShowModal(form);
    ComputeDerivedFields();
    GridToList();
    return result == QDialog::Accepted;
}

void TView::AddBtnClick() {
    ui::Guarded([&] {
        const int item = model_->AppendItem();
        SelectItem(item);
        TAddInventoryForm form(*store_, item + 1, this);
        if (ui::platform().ShowModal(form) != QDialog::Accepted) model_->RemoveItem(item);
        ListToGrid();
        ComputeDerivedFields();
        GridToList();
    });
}

void TView::RemoveSelectedBtnClick() {
    const int item = SelectedItem();
    if (item < 0) return;
    if (!ui::platform().ConfirmDestructive("Are you sure you want to delete the selected item ?"))
        return;
    model_->RemoveItem(item);
}

void TView::InventoryDblClick() { ViewSelectedBtnClick(); }

void TView::ViewSelectedBtnClick() {
    ui::Guarded([&] { ViewItem(SelectedItem()); });
}

// The search, report and barcode screens are opened here.
void TView::SearchBtnClick() {
    ListToGrid();
    SearchInventory();
}

void TView::SearchInventory() {
    TSearchForm form(*Inventory(), store_->Data, SearchMode::Inventory, &store_->Fields,
                     "Search Inventory", this);
    form.OpenItemView = [this](int item) { ViewItem(item); };
    ui::platform().ShowModal(form);
}
void TView::AnalyzeBtnClick() {
    ListToGrid();
    OpenInventoryReport(
        GetStore(), [this](int item) { return model_->IsChecked(item); }, this);
}

void TView::GenerateBarcodeBtnClick() {
    if (SelectedItem() < 0) {
        ui::platform().Message(MsgKind::Error, "Pleae select item from inventory list.",
                               MsgButtons::Ok);
        return;
    }
    EditItemBarcode(*this, SelectedItem(), this);
}

void TView::PreviousRecordBtnClick() {
    const int from = SelectedItem();
    if (from < 0) return;
    for (int i = from - 1; i >= 0; --i)
        if (model_->IsChecked(i)) return SelectItem(i);
}

void TView::NextRecordBtnClick() {
    const int from = SelectedItem();
    if (from < 0) return;
    for (int i = from + 1; i < model_->ItemCount(); ++i)
        if (model_->IsChecked(i)) return SelectItem(i);
}

void TView::PreviousSearchRecordBtnClick() {
    const int from = SelectedItem();
    SelectItem(from <= 0 ? -1 : from - 1);
}

void TView::NextSearchRecordBtnClick() {
    const int from = SelectedItem();
    SelectItem(from < 0 || from + 1 >= model_->ItemCount() ? -1 : from + 1);
}

void TView::QuickFindBtnClick() {
    const std::string answer = ui::platform().InputBox("Find Barcode", "Scan or type barcode", "");
    const std::string wanted = brenvik::StripNonNumeric(answer);
    const int col = brenvik::GridField(store_->Data, "bar code");
    int found = -1;
    for (int row = 1; row < store_->Data.RowCount(); ++row)
        if (brenvik::StripNonNumeric(store_->Data.Cell(col, row)) == wanted) found = row - 1;
    if (found < 0) {
        ui::platform().Message(MsgKind::Information, "Selected item not found in database.",
                               MsgButtons::Ok);
        return;
    }
    SelectItem(found);
}

void TView::CopyBtnClick() {
    const int item = SelectedItem();
    if (item < 0) {
        ui::platform().Message(MsgKind::Error, "Please select item to copy.", MsgButtons::Ok);
        return;
    }
    copyValues_ = store_->ItemValues(item + 1);
    copyHistory_ = store_->History(item + 1);
}

void TView::PasteBtnClick() {
    const int item = SelectedItem();
    if (item < 0) {
        ui::platform().Message(MsgKind::Error, "Please select insert position.", MsgButtons::Ok);
        return;
    }
    // Nothing copied yet: nothing to insert.
    if (!copyValues_) return;
    model_->InsertItem(item, *copyValues_, copyHistory_);
    SelectItem(item + 1);
    ListToGrid();
}

void TView::Move(int step) {
    SaveCheckState();
    const int item = SelectedItem();
    if (item < 0) return;
    const int other = item + step;
    if (other >= 0 && other < model_->ItemCount()) {
        LoadCheckState();
        model_->SwapItems(item, other);  // values, history and check mark travel together
        SelectItem(other);
    }
    ListToGrid();
}

void TView::MoveUpBtnClick() { Move(-1); }
void TView::MoveDownBtnClick() { Move(+1); }

void TView::InventoryColumnClick(int column) {
    if (column == sortColumn_) sortAscending_ = !sortAscending_;
    sortColumn_ = column;
    model_->SortByColumn(column, sortAscending_);
    inventory_->header()->setSortIndicatorShown(true);
    inventory_->header()->setSortIndicator(
        column, sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    ListToGrid();
}

void TView::SetNextInvoiceNumber1Click() {
    brenvik::Settings& values = store_->Values;
    const std::string answer =
        ui::platform().InputBox("Next Invoice Number", "Next Invoice Number", values.nextInvoice);
    std::int32_t number = 0;
    if (!brenvik::ParseWholeNumber(answer, number)) {
        ui::platform().Message(MsgKind::Error, "You have entered an invalid Invoice Number.",
                               MsgButtons::Ok);
        return;
    }
    values.nextInvoice = std::to_string(number);
}

void TView::SetInvoiceFont1Click() {
    brenvik::Settings& values = store_->Values;
    if (auto font = ui::platform().ChooseFont(ui::ToQFont(values.font)))
        values.font = ui::FromQFont(*font, ui::ToQColor(values.font.color), values.font);
}

void TView::GenerateInvoiceClick() {
    ListToGrid();
    OpenPointOfSale(*store_, this);
    ComputeDerivedFields();
    GridToList();
}

// The import screens are opened here.
void TView::ViewList1Click() { OpenCustomerList(GetStore(), this); }
void TView::ImportCustomers1Click() { ImportCustomers(GetStore(), this); }
void TView::ImportInventoryItems1Click() {
    ListToGrid();
    ImportInventory(GetStore(), this);
    ComputeDerivedFields();
    GridToList();
}
void TView::Export1Click() {
    ListToGrid();
    ExportAllInventory(GetStore(), this);
}
void TView::ExportSelected1Click() {
    ListToGrid();
    ExportCheckedInventory(GetStore(), Model(), this);
}
void TView::ExportBtnClick() { ExportInvoiceHistory(GetStore(), this); }

}  // namespace brenvik
