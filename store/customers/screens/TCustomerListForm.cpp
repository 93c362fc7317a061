#include "store/customers/screens/TCustomerListForm.h"

#include "store/customers/screens/TAddCustomerForm.h"
#include "store/customers/screens/TEmailForm.h"
#include "store/inventory/screens/TSearchForm.h"
#include "store/inventory/store.h"
#include "store/labels/screens/TLabelForm.h"
#include "store/reports/screens/TExportForm.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace brenvik {

using brenvik::MsgAnswer;
using brenvik::MsgButtons;
using brenvik::MsgKind;

// ---- CustomerListModel ----

int CustomerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.ItemCount();
}

int CustomerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.ColumnCount();
}

QVariant CustomerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return ui::ToQ(list_.Value(index.row(), index.column()));
    if (role == Qt::CheckStateRole && index.column() == 0)
        return list_.Checked(index.row()) ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool CustomerListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != 0) return false;
    list_.SetChecked(index.row(), value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return ui::ToQ(list_.Heading(section));
}

Qt::ItemFlags CustomerListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

void CustomerListModel::Reset() {
    beginResetModel();
    endResetModel();
}

void CustomerListModel::RowChanged(int item) {
    emit dataChanged(index(item, 0), index(item, columnCount() - 1));
}

// ---- TCustomerListForm ----

TCustomerListForm::TCustomerListForm(brenvik::StringTable& customerData, std::string dataFolder,
                                     QWidget* parent)
    : QDialog(parent), customerData_(customerData), dataFolder_(std::move(dataFolder)) {
    setObjectName("CustomerListForm");
    setWindowTitle("Customer List");
    setSizeGripEnabled(true);

    list_.GridToList(customerData_);
    model_ = new CustomerListModel(list_, this);
    view_ = new QTableView(this);
    view_->setObjectName("CustomerList");
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    ui::KeepColumnsFitted(view_, 80);
    view_->horizontalHeader()->setHighlightSections(false);
    connect(view_, &QTableView::doubleClicked, this, [this] { ViewSelectedBtnClick(); });

    QPushButton* add = ui::NamedButton(this, "AddItemsBtn", "Add  Customer");
    QPushButton* remove = ui::NamedButton(this, "RemoveSelectedBtn", "Remove Customer");
    QPushButton* search = ui::NamedButton(this, "SearchBtn", "Search");
    QPushButton* exportBtn = ui::NamedButton(this, "ExportBtn", "Export");
    QPushButton* email = ui::NamedButton(this, "EmailBtn", "Email");
    QPushButton* print =
        ui::IconButton(this, "PrintBtn", QStyle::SP_FileDialogDetailedView, "Print labels");
    QPushButton* close = ui::NamedButton(this, "OKBtn", "Close");
    QPushButton* prevChecked = ui::IconButton(
        this, "PreviousRecordBtn", QStyle::SP_MediaSkipBackward, "Previous checked customer");
    QPushButton* nextChecked =
        ui::IconButton(this, "NextRecordBtn", QStyle::SP_MediaSkipForward, "Next checked customer");
    QPushButton* view = ui::IconButton(this, "ViewSelectedBtn", QStyle::SP_FileDialogContentsView,
                                       "View selected customer");
    QPushButton* above =
        ui::IconButton(this, "PreviousSearchRecordBtn", QStyle::SP_ArrowUp, "Customer above");
    QPushButton* below =
        ui::IconButton(this, "NextSearchRecordBtn", QStyle::SP_ArrowDown, "Customer below");
    QPushButton* copy = ui::NamedButton(this, "CopyBtn", "Copy", "Copy the selected customer");
    QPushButton* paste = ui::NamedButton(this, "PasteBtn", "Paste",
                                         "Insert the copied customer above the selected one");
    QPushButton* up = ui::IconButton(this, "MoveUpBtn", QStyle::SP_TitleBarShadeButton, "Move up");
    QPushButton* down =
        ui::IconButton(this, "MoveDownBtn", QStyle::SP_TitleBarUnshadeButton, "Move down");

    connect(add, &QPushButton::clicked, this, &TCustomerListForm::AddItemsBtnClick);
    connect(remove, &QPushButton::clicked, this, &TCustomerListForm::RemoveSelectedBtnClick);
    connect(search, &QPushButton::clicked, this, &TCustomerListForm::SearchBtnClick);
    connect(exportBtn, &QPushButton::clicked, this, &TCustomerListForm::ExportBtnClick);
    connect(email, &QPushButton::clicked, this, &TCustomerListForm::EmailBtnClick);
    connect(print, &QPushButton::clicked, this, &TCustomerListForm::PrintBtnClick);
    connect(close, &QPushButton::clicked, this, [this] { accept(); });
    connect(prevChecked, &QPushButton::clicked, this, &TCustomerListForm::PreviousRecordBtnClick);
    connect(nextChecked, &QPushButton::clicked, this, &TCustomerListForm::NextRecordBtnClick);
    connect(view, &QPushButton::clicked, this, &TCustomerListForm::ViewSelectedBtnClick);
    connect(above, &QPushButton::clicked, this, &TCustomerListForm::PreviousSearchRecordBtnClick);
    connect(below, &QPushButton::clicked, this, &TCustomerListForm::NextSearchRecordBtnClick);
    connect(copy, &QPushButton::clicked, this, &TCustomerListForm::CopyBtnClick);
    connect(paste, &QPushButton::clicked, this, &TCustomerListForm::PasteBtnClick);
    connect(up, &QPushButton::clicked, this, &TCustomerListForm::MoveUpBtnClick);
    connect(down, &QPushButton::clicked, this, &TCustomerListForm::MoveDownBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(new QLabel("Double click a customer to edit.", this), 0, Qt::AlignHCenter);
    layout->addLayout(ui::CentredRow(
        {prevChecked, nextChecked, view, above, below, copy, paste, up, down, print}));
    layout->addLayout(ui::CentredRow({add, remove, search, exportBtn, email, close}));
    resize(900, 520);
}

int TCustomerListForm::Selected() const {
    QItemSelectionModel* sel = view_->selectionModel();
    if (!sel) return -1;
    QModelIndexList rows = sel->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TCustomerListForm::Select(int item) {
    QItemSelectionModel* sel = view_->selectionModel();
    if (item < 0 || item >= list_.ItemCount()) {
        sel->clearSelection();
        sel->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    QModelIndex index = model_->index(item, 0);
    sel->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(index);
}

void TCustomerListForm::ListToGrid() { list_.ListToGrid(customerData_); }

void TCustomerListForm::done(int result) {
    ListToGrid();
    QDialog::done(result);
}

bool TCustomerListForm::EditCustomer(int item) {
    std::vector<std::string> names;
    for (int c = 0; c < list_.ColumnCount(); ++c) names.emplace_back(list_.Heading(c));
    TAddCustomerForm form(names, list_.Values(item), this);
    if (ui::platform().ShowModal(form) != QDialog::Accepted) return false;
    list_.SetValues(item, form.Values());
    model_->RowChanged(item);
    return true;
}

void TCustomerListForm::AddItemsBtnClick() {
    int selected = Selected();
    int item = list_.AddItem();
    model_->Reset();
    Select(item);
    if (EditCustomer(item)) return;
    list_.RemoveItem(item);
    model_->Reset();
    Select(selected);
}

void TCustomerListForm::ViewSelectedBtnClick() {
    int item = Selected();
    if (item >= 0) EditCustomer(item);
}

void TCustomerListForm::RemoveSelectedBtnClick() {
    int item = Selected();
    if (item < 0) return;
    if (!ui::platform().ConfirmDestructive(
            "Are you sure you want to delete the selected customer ?"))
        return;
    list_.RemoveItem(item);
    model_->Reset();
}

void TCustomerListForm::PreviousRecordBtnClick() {
    int item = list_.PreviousChecked(Selected());
    if (item >= 0) Select(item);
}

void TCustomerListForm::NextRecordBtnClick() {
    int item = list_.NextChecked(Selected());
    if (item >= 0) Select(item);
}

void TCustomerListForm::PreviousSearchRecordBtnClick() {
    int item = Selected();
    Select(item < 0 ? -1 : item - 1);
}

void TCustomerListForm::NextSearchRecordBtnClick() {
    int item = Selected();
    Select(item < 0 ? -1 : item + 1);
}

void TCustomerListForm::CopyBtnClick() {
    int item = Selected();
    if (item < 0) {
        ui::platform().ShowMessage(MsgKind::Error, "Please select item to copy.", MsgButtons::Ok);
        return;
    }
    list_.Copy(item);
}

void TCustomerListForm::PasteBtnClick() {
    int item = Selected();
    if (item < 0) {
        ui::platform().ShowMessage(MsgKind::Error, "Please select insert position.",
                                   MsgButtons::Ok);
        return;
    }
    list_.PasteBefore(item);
    model_->Reset();
    Select(item + 1);  // the selection stays on the row it was on
}

void TCustomerListForm::Move(bool up) {
    int item = Selected();
    if (item < 0) return;
    int moved = up ? list_.MoveUp(item) : list_.MoveDown(item);
    if (moved == item) return;
    model_->RowChanged(item);
    model_->RowChanged(moved);
    Select(moved);
}

void TCustomerListForm::MoveUpBtnClick() { Move(true); }
void TCustomerListForm::MoveDownBtnClick() { Move(false); }

void TCustomerListForm::SearchBtnClick() {
    ListToGrid();
    TSearchForm form(*view_, customerData_, SearchMode::Customer, nullptr, "Search Customers",
                     this);
    ui::platform().ShowModal(form);
}

void TCustomerListForm::ExportBtnClick() {
    ListToGrid();
    int chosen = ui::platform().PopupMenu(QCursor::pos(), {{"Export All"}, {"Export Checked"}});
    if (chosen == 0) ExportAll1Click();
    if (chosen == 1) ExportChecked1Click();
}

void TCustomerListForm::ExportAll1Click() {
    ListToGrid();
    ExportTable(customerData_, dataFolder_, this);
}

void TCustomerListForm::ExportChecked1Click() {
    ListToGrid();
    ExportCheckedRows(
        customerData_, [this](int item) { return list_.Checked(item); }, dataFolder_, this);
}

void TCustomerListForm::PrintBtnClick() {
    ListToGrid();
    OpenLabelForm(list_, Selected(), this);
}

void TCustomerListForm::EmailBtnClick() {
    ListToGrid();
    OpenEmailForm(list_, this);
}

void OpenCustomerList(brenvik::Store& store, QWidget* parent) {
    TCustomerListForm form(store.CustomerData, store.Folder(), parent);
    ui::platform().ShowModal(form);
}

}  // namespace brenvik
