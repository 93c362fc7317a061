#include "store/sales/screens/TPOSForm.h"

#include "store/core/datetext.h"
#include "store/core/error.h"
#include "store/customers/screens/TCustomerListForm.h"
#include "store/customers/screens/TSelectCustomerForm.h"
#include "store/inventory/screens/TEditItemForm.h"
#include "store/sales/finalize.h"
#include "store/sales/scan.h"
#include "store/sales/screens/InvoicePreviewPage.h"
#include "store/sales/screens/SaleLineModel.h"
#include "store/sales/screens/TSelectLogoForm.h"
#include "store/sales/screens/TotalsBox.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace brenvik {

using brenvik::MsgAnswer;
using brenvik::MsgButtons;
using brenvik::MsgKind;

namespace {

void SetText(QLineEdit* e, const std::string& s) { e->setText(ui::ToQ(s)); }

// The invoice layout's splitter: a final line break makes no empty line.
std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
    return brenvik::MemoLines(ui::FromQ(memo->toPlainText()));
}

// The list keeps its text but gets its entries again.
void RebuildList(QComboBox* box, const QStringList& entries) {
    const QString text = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(entries);
    box->setCurrentText(text);
}

}  // namespace

TPOSForm::TPOSForm(brenvik::Store& store, QWidget* parent) : QDialog(parent), store_(store) {
    setObjectName("TPOSForm");
    setWindowTitle("Generate Invoices / Point of Sale");
    resize(900, 640);

    sale_.lines = &lines_;
    refund_.lines = &refundLines_;

    book_ = new QTabWidget(this);
    book_->setObjectName("InvoiceBook");
    book_->addTab(BuildSalePage(), "Generate Invoice");
    book_->addTab(BuildRefundPage(), "Process Refund");
    preview_ = new InvoicePreviewPage(book_);
    book_->addTab(preview_, "Preview Last");

    auto* setup = ui::NamedButton(this, "InvoiceHeaderBtn", "Invoice Setup");
    auto* close = ui::NamedButton(this, "CloseForm", "Close");
    connect(setup, &QPushButton::clicked, this, &TPOSForm::InvoiceHeaderBtnClick);
    connect(close, &QPushButton::clicked, this, &TPOSForm::CloseFormClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(setup);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(book_, 1);
    layout->addLayout(bottom);
}

// ---- building the pages

void TPOSForm::MakeList(LinePage& page, const char* name) {
    page.model = new SaleLineModel(*page.lines, this);
    page.view = new QTreeView(this);
    page.view->setObjectName(name);
    page.view->setModel(page.model);
    page.view->setRootIsDecorated(false);
    page.view->setUniformRowHeights(true);
    page.view->setSelectionMode(QAbstractItemView::SingleSelection);
    page.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    page.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui::KeepColumnsFitted(page.view, 84);
    page.view->header()->setSectionsMovable(false);
}

TPOSForm::PageParts TPOSForm::MakePageParts(QWidget* page, const PageNames& names,
                                            const QString& memoLabel, const QString& numberLabel,
                                            QLineEdit* number) {
    PageParts parts;
    parts.memo = new QPlainTextEdit(this);
    parts.memo->setObjectName(names.memo);
    parts.memo->setTabChangesFocus(true);
    parts.memo->setMaximumHeight(90);
    auto* changeTax1 = ui::NamedToolButton(this, names.changeTax1, "...", "Change tax one");
    auto* changeTax2 = ui::NamedToolButton(this, names.changeTax2, "...", "Change tax two");
    auto* selectCustomer =
        ui::NamedToolButton(this, names.selectCustomer, "Select...", "Select customer");
    auto* customerList =
        ui::NamedToolButton(this, names.customerList, "Customers...", "Edit the customer list");
    connect(changeTax1, &QToolButton::clicked, this, [this] { TaxChange(1); });
    connect(changeTax2, &QToolButton::clicked, this, [this] { TaxChange(2); });
    connect(selectCustomer, &QToolButton::clicked, this, &TPOSForm::SelectCustomerClick);
    connect(customerList, &QToolButton::clicked, this, &TPOSForm::CustomerListClick);
    parts.changeTax1 = changeTax1;
    parts.changeTax2 = changeTax2;

    auto* top = new QHBoxLayout;
    parts.top = top;
    auto* memoBox = new QVBoxLayout;
    auto* memoHead = new QHBoxLayout;
    memoHead->addWidget(ui::Label(memoLabel, page));
    memoHead->addStretch();
    memoHead->addWidget(selectCustomer);
    memoHead->addWidget(customerList);
    memoBox->addLayout(memoHead);
    memoBox->addWidget(parts.memo);
    top->addLayout(memoBox, 1);
    auto* numberBox = new QFormLayout;
    numberBox->addRow(ui::Label(numberLabel, page), number);
    top->addLayout(numberBox);
    return parts;
}

void TPOSForm::AssemblePage(QWidget* page, const PageParts& parts, QLayout* list, QWidget* amounts,
                            QLayout* buttons) {
    auto* middle = new QHBoxLayout;
    middle->addLayout(list, 1);
    middle->addWidget(amounts);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(parts.top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
}

QWidget* TPOSForm::BuildSalePage() {
    auto* page = new QWidget(this);
    MakeList(sale_, "ItemView");
    connect(sale_.view, &QTreeView::doubleClicked, this, [this] { ItemViewDblClick(); });

    nextInvoice_ = ui::NamedEdit(this, "NextInvoiceNumber");
    nextInvoice_->setReadOnly(true);
    QFont bold = nextInvoice_->font();
    bold.setBold(true);
    nextInvoice_->setFont(bold);
    const PageParts parts =
        MakePageParts(page, {"SoldTo", "ChangeTax1", "ChangeTax2", "SpeedButton3", "SpeedButton4"},
                      "Sold To:", "Next Invoice Number", nextInvoice_);
    soldTo_ = parts.memo;

    saleTotals_ = new TotalsBox(TotalsBox::Kind::Sale, parts.changeTax1, parts.changeTax2, page);

    auto* add = ui::NamedButton(this, "AddItemsBtn", "Add Manual");
    auto* batch = ui::NamedButton(this, "BatchAddBtn", "Batch Add");
    auto* remove = ui::NamedButton(this, "RemoveSelectedBtn", "Remove");
    auto* newSale = ui::NamedButton(this, "NewSaleBtn", "New Sale");
    auto* finalize = ui::NamedButton(this, "FinalizeSaleBtn", "Finalize");
    connect(add, &QPushButton::clicked, this, &TPOSForm::AddItemsBtnClick);
    connect(batch, &QPushButton::clicked, this, &TPOSForm::BatchAddBtnClick);
    connect(remove, &QPushButton::clicked, this, &TPOSForm::RemoveSelectedBtnClick);
    connect(newSale, &QPushButton::clicked, this, &TPOSForm::NewSaleBtnClick);
    connect(finalize, &QPushButton::clicked, this, &TPOSForm::FinalizeSaleBtnClick);

    const auto compute = [this] {
        if (!quiet_) ComputeTotals();
    };
    connect(saleTotals_->discount, &QLineEdit::textChanged, this, compute);
    connect(saleTotals_->discountType, &QComboBox::currentTextChanged, this, compute);
    connect(saleTotals_->tax1, &QCheckBox::toggled, this, &TPOSForm::TaxBoxChanged);
    connect(saleTotals_->tax2, &QCheckBox::toggled, this, &TPOSForm::TaxBoxChanged);
    connect(saleTotals_->amountReceived, &QLineEdit::textChanged, this, [this] {
        if (!quiet_) UpdateChange();
    });
    connect(saleTotals_->total, &QLineEdit::textChanged, this, [this] {
        if (!quiet_ && !saleTotals_->amountReceived->text().isEmpty()) UpdateChange();
    });
    connect(saleTotals_->printCopies, &QSpinBox::valueChanged, this,
            [this](int copies) { store_.Values.printCopies = copies; });

    auto* list = new QVBoxLayout;
    list->addWidget(ui::Label("Items Purchased", page));
    list->addWidget(sale_.view, 1);
    list->addWidget(ui::Label("Double click item to modify details or quantity.", page));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(batch);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(newSale);
    buttons->addWidget(finalize);

    AssemblePage(page, parts, list, saleTotals_, buttons);
    return page;
}

QWidget* TPOSForm::BuildRefundPage() {
    auto* page = new QWidget(this);
    MakeList(refund_, "RefundList");
    connect(refund_.view, &QTreeView::doubleClicked, this, [this] { RefundListDblClick(); });

    originalInvoice_ = ui::NamedEdit(this, "OriginalInvoice");
    const PageParts parts = MakePageParts(
        page, {"RefundTo", "SpeedButton1", "SpeedButton2", "SpeedButton6", "SpeedButton5"},
        "Refund To", "Original Invoice", originalInvoice_);
    refundTo_ = parts.memo;

    refundTotals_ =
        new TotalsBox(TotalsBox::Kind::Refund, parts.changeTax1, parts.changeTax2, page);

    auto* add = ui::NamedButton(this, "AddRefundBtn", "Add Item");
    auto* remove = ui::NamedButton(this, "RemoveRefundBtn", "Remove Item");
    auto* clear = ui::NamedButton(this, "ClearRefundBtn", "Clear");
    auto* refund = ui::NamedButton(this, "RefundBtn", "Refund");
    connect(add, &QPushButton::clicked, this, &TPOSForm::AddRefundBtnClick);
    connect(remove, &QPushButton::clicked, this, &TPOSForm::RemoveRefundBtnClick);
    connect(clear, &QPushButton::clicked, this, &TPOSForm::ClearRefundBtnClick);
    connect(refund, &QPushButton::clicked, this, &TPOSForm::RefundBtnClick);

    const auto compute = [this] {
        if (!quiet_) ComputeRefundTotals();
    };
    connect(refundTotals_->discount, &QLineEdit::textChanged, this, compute);
    connect(refundTotals_->discountType, &QComboBox::currentTextChanged, this, compute);
    // The refund page's boxes follow the stored defaults but never store them.
    connect(refundTotals_->tax1, &QCheckBox::toggled, this, compute);
    connect(refundTotals_->tax2, &QCheckBox::toggled, this, compute);

    auto* list = new QVBoxLayout;
    list->addWidget(refund_.view, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(clear);
    buttons->addWidget(refund);

    AssemblePage(page, parts, list, refundTotals_, buttons);
    return page;
}

// ---- activation

void TPOSForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TPOSForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TPOSForm::SetTaxCaptions() {
    const auto& v = store_.Values;
    const QString one = ui::ToQ(brenvik::TaxCaption(v.tax1Name, v.tax1Rate));
    const QString two = ui::ToQ(brenvik::TaxCaption(v.tax2Name, v.tax2Rate));
    saleTotals_->tax1->setText(one);
    refundTotals_->tax1->setText(one);
    saleTotals_->tax2->setText(two);
    refundTotals_->tax2->setText(two);
}

void TPOSForm::FormActivate() {
    SetText(nextInvoice_, store_.Values.nextInvoice);
    SetTaxCaptions();
    // Setting the first box stores both states as defaults, so both stored
    // values are taken before either box is set.
    const bool default1 = store_.Values.tax1Default;
    const bool default2 = store_.Values.tax2Default;
    saleTotals_->tax1->setChecked(default1);
    saleTotals_->tax2->setChecked(default2);
    refundTotals_->tax1->setChecked(default1);
    refundTotals_->tax2->setChecked(default2);
    RebuildList(saleTotals_->discountType, {"$", "%"});
    saleTotals_->printCopies->setValue(store_.Values.printCopies);
}

void TPOSForm::TaxBoxChanged() {
    store_.Values.tax1Default = saleTotals_->tax1->isChecked();
    store_.Values.tax2Default = saleTotals_->tax2->isChecked();
    if (!quiet_) ComputeTotals();
}

void TPOSForm::ShowModalAndReactivate(QDialog& dialog) {
    ui::platform().ShowModal(dialog);
    FormActivate();
}

// ---- totals

void TPOSForm::TotalLine(int line) {
    if (line >= 0 && line < static_cast<int>(lines_.size())) {
        brenvik::TotalLine(lines_[line]);
        sale_.model->LineChanged(line);
    }
    ComputeTotals();
}

void TPOSForm::ComputeTotals() {
    const auto& v = store_.Values;
    const auto a = brenvik::ComputeAmounts(
        lines_, ui::TextOf(saleTotals_->discount), ui::TextOf(saleTotals_->discountType),
        {saleTotals_->tax1->isChecked(), v.tax1Rate}, {saleTotals_->tax2->isChecked(), v.tax2Rate});
    saleTotals_->ShowAmounts(a);  // the total's change updates Change
}

void TPOSForm::UpdateChange() {
    SetText(saleTotals_->change, brenvik::ComputeChange(ui::TextOf(saleTotals_->amountReceived),
                                                        ui::TextOf(saleTotals_->total)));
}

void TPOSForm::TotalRefundLine(int line) {
    if (line >= 0 && line < static_cast<int>(refundLines_.size())) {
        brenvik::TotalLine(refundLines_[line]);
        refund_.model->LineChanged(line);
    }
    ComputeRefundTotals();
}

void TPOSForm::ComputeRefundTotals() {
    const auto& v = store_.Values;
    const auto a = brenvik::ComputeAmounts(refundLines_, ui::TextOf(refundTotals_->discount),
                                           ui::TextOf(refundTotals_->discountType),
                                           {refundTotals_->tax1->isChecked(), v.tax1Rate},
                                           {refundTotals_->tax2->isChecked(), v.tax2Rate});
    refundTotals_->ShowAmounts(a);
}

void TPOSForm::TaxChange(int tax) {
    auto& v = store_.Values;
    std::string& name = tax == 1 ? v.tax1Name : v.tax2Name;
    std::string& rate = tax == 1 ? v.tax1Rate : v.tax2Rate;
    auto& p = ui::platform();
    name = p.InputBox("Tax Type", "Please enter tax type:", name);
    rate = p.InputBox("Tax Rate", "Please enter tax rate:", rate);
    if (!name.empty()) {
        const QString caption = ui::ToQ(brenvik::TaxCaption(name, rate));
        (tax == 1 ? saleTotals_->tax1 : saleTotals_->tax2)->setText(caption);
        (tax == 1 ? refundTotals_->tax1 : refundTotals_->tax2)->setText(caption);
    }
    ComputeTotals();
}

// ---- lines

int TPOSForm::Selected(const LinePage& page) const {
    const auto rows = page.view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TPOSForm::Select(LinePage& page, int line) {
    if (line < 0) {
        page.view->clearSelection();
        return;
    }
    page.view->setCurrentIndex(page.model->index(line, 0));
    page.view->selectionModel()->select(
        page.model->index(line, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int TPOSForm::SelectedLine() const { return Selected(sale_); }
int TPOSForm::SelectedRefundLine() const { return Selected(refund_); }

bool TPOSForm::EditLine(LinePage& page, int line) {
    std::vector<std::string> values = SaleLineModel::Values((*page.lines)[line]);
    TEditItemForm dialog(store_.Data, values, this);
    const bool ok = ui::platform().ShowModal(dialog) == QDialog::Accepted;
    FormActivate();
    if (ok) {
        (*page.lines)[line] = SaleLineModel::FromValues(values);
        page.model->LineChanged(line);
    }
    return ok;
}

void TPOSForm::AddLine(LinePage& page, void (TPOSForm::*total)(int)) {
    page.lines->emplace_back();
    page.model->Reset();
    const int line = static_cast<int>(page.lines->size()) - 1;
    if (EditLine(page, line)) {
        Select(page, line);
        (this->*total)(line);
    } else {
        page.lines->pop_back();
        page.model->Reset();
    }
}

void TPOSForm::RemoveLine(LinePage& page, void (TPOSForm::*compute)()) {
    const int line = Selected(page);
    if (line < 0) return;
    page.lines->erase(page.lines->begin() + line);
    page.model->Reset();
    (this->*compute)();
}

void TPOSForm::AddItemsBtnClick() { AddLine(sale_, &TPOSForm::TotalLine); }

void TPOSForm::ItemViewDblClick() {
    const int line = SelectedLine();
    if (line < 0) return;
    EditLine(sale_, line);
    TotalLine(SelectedLine());
}

void TPOSForm::RemoveSelectedBtnClick() { RemoveLine(sale_, &TPOSForm::ComputeTotals); }

void TPOSForm::BatchAddBtnClick() {
    auto& p = ui::platform();
    for (;;) {
        const std::string code = p.InputBox("Add Item", "Scan or Type Code", "");
        if (code.empty()) break;
        brenvik::ScanResult result;
        try {
            result = brenvik::ApplyScan(lines_, store_.Data, code);
        } catch (const brenvik::StoreError& e) {
            p.Message(MsgKind::Error, e.what(), MsgButtons::Ok);
            break;
        }
        if (result.outcome == brenvik::ScanOutcome::NotFound) {
            p.Message(MsgKind::Error, "Scanned item was not found in inventory list.",
                      MsgButtons::Ok);
            continue;
        }
        sale_.model->Reset();
        ComputeTotals();
    }
    FormActivate();
}

// ---- the sale

void TPOSForm::NewSaleBtnClick() {
    if (!lines_.empty() && !ui::platform().ConfirmDestructive(
                               "Warning: existing sale has not been finalized.  Are you sure you "
                               "want to continue ?"))
        return;
    quiet_ = true;
    lines_.clear();
    sale_.model->Reset();
    soldTo_->clear();
    saleTotals_->Clear();
    saleTotals_->tax1->setChecked(true);  // stores both defaults as on
    saleTotals_->tax2->setChecked(true);
    SetText(nextInvoice_, store_.Values.nextInvoice);
    quiet_ = false;
}

brenvik::SaleForm TPOSForm::SaleOnScreen() const {
    brenvik::SaleForm s;
    s.lines = lines_;
    s.customer = MemoLines(soldTo_);
    saleTotals_->FillForm(s);
    return s;
}

void TPOSForm::FinalizeSaleBtnClick() {
    const auto result = brenvik::FinalizeSale(store_, SaleOnScreen(), brenvik::Today());
    if (!result.done) {
        ui::platform().Message(MsgKind::Error, result.message, MsgButtons::Ok);
        return;
    }
    lastInvoice_ = result.invoiceNumber;
    // Laid out from the boxes as they are, before the screen is cleared.
    preview_->CreateInvoice(SaleInvoice(lastInvoice_), store_.Values);
    preview_->PrintCopies(saleTotals_->printCopies->value());
    lines_.clear();
    sale_.model->Reset();
    NewSaleBtnClick();
}

// ---- refunds

void TPOSForm::AddRefundBtnClick() { AddLine(refund_, &TPOSForm::TotalRefundLine); }

void TPOSForm::RefundListDblClick() {
    const int line = SelectedRefundLine();
    if (line < 0) return;
    EditLine(refund_, line);
    TotalRefundLine(SelectedRefundLine());
}

void TPOSForm::RemoveRefundBtnClick() { RemoveLine(refund_, &TPOSForm::ComputeRefundTotals); }

void TPOSForm::ClearRefundBtnClick() {
    quiet_ = true;
    refundLines_.clear();
    refund_.model->Reset();
    refundTo_->clear();
    originalInvoice_->clear();
    refundTotals_->Clear();
    quiet_ = false;
}

brenvik::SaleForm TPOSForm::RefundOnScreen() const {
    brenvik::SaleForm r;
    r.lines = refundLines_;
    r.customer = MemoLines(refundTo_);
    refundTotals_->FillForm(r);
    return r;
}

brenvik::InvoiceInput TPOSForm::SaleInvoice(const std::string& number) const {
    brenvik::InvoiceInput in;
    in.date = brenvik::FormatDate(brenvik::Today());
    in.number = number;
    in.soldTo = brenvik::MemoLines(ui::FromQ(soldTo_->toPlainText()));
    in.lines = lines_;
    saleTotals_->FillInvoice(in);
    in.tax1Name = store_.Values.tax1Name;
    in.tax2Name = store_.Values.tax2Name;
    return in;
}

brenvik::InvoiceInput TPOSForm::RefundInvoice() const {
    brenvik::InvoiceInput in;
    in.date = brenvik::FormatDate(brenvik::Today());
    // The printed refund names the original invoice; the "R" belongs to the
    // record only.
    in.number = ui::TextOf(originalInvoice_);
    in.soldTo = brenvik::MemoLines(ui::FromQ(refundTo_->toPlainText()));
    in.lines = refundLines_;
    refundTotals_->FillInvoice(in);
    in.tax1Name = store_.Values.tax1Name;
    in.tax2Name = store_.Values.tax2Name;
    return in;
}

void TPOSForm::RefundBtnClick() {
    const auto result = brenvik::ProcessRefund(store_, RefundOnScreen(),
                                               ui::TextOf(originalInvoice_), brenvik::Today());
    if (!result.done) {
        ui::platform().Message(MsgKind::Error, result.message, MsgButtons::Ok);
        return;
    }
    preview_->GenerateRefund(RefundInvoice(), store_.Values);
    // The sale page's copies count serves refunds too.
    preview_->PrintCopies(saleTotals_->printCopies->value());
    ClearRefundBtnClick();
}

// ---- customers

void TPOSForm::SelectCustomerClick() {
    QPlainTextEdit* target = book_->currentIndex() == ProcessRefundPage ? refundTo_ : soldTo_;
    TSelectCustomerForm dialog(store_.CustomerData, target, this);
    ShowModalAndReactivate(dialog);
}

void TPOSForm::CustomerListClick() {
    OpenCustomerList(store_, this);
    FormActivate();
}

void TPOSForm::InvoiceHeaderBtnClick() {
    TSelectLogoForm dialog(store_.Values, this);
    ShowModalAndReactivate(dialog);
    // The preview shows the new settings on the sale page as it stands; after
    // a finalization that is an empty invoice with the last number.
    preview_->CreateInvoice(SaleInvoice(lastInvoice_), store_.Values);
}

// ---- closing

bool TPOSForm::MayDiscardSale() {
    return lines_.empty() || ui::platform().ConfirmDestructive(
                                 "Warning: existing sale has not been finalized.  Are "
                                 "you sure you want to close ?");
}

void TPOSForm::CloseFormClick() {
    if (!MayDiscardSale()) return;
    discardAgreed_ = true;
    close();
    discardAgreed_ = false;
}

void TPOSForm::reject() {
    if (!discardAgreed_ && !MayDiscardSale()) return;
    QDialog::reject();
}

bool TPOSForm::FormClose() {
    try {
        store_.SaveAll();
    } catch (const std::exception& e) {
        ui::ShowError(e);
        return false;
    }
    return true;
}

void TPOSForm::done(int result) {
    // A save that fails keeps the screen open, so nothing entered is lost
    // and the user can try again.
    if (!FormClose()) return;
    QDialog::done(result);
}

void OpenPointOfSale(brenvik::Store& store, QWidget* parent) {
    TPOSForm form(store, parent);
    ui::platform().ShowModal(form);
}

}  // namespace brenvik
