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
#include "ui/platform.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
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

const QStringList kPaymentMethods = {
    "Cash", "Check", "Debit", "Mastercard", "Visa", "American Express", "Store Credit"};

std::string Text(const QLineEdit* e) { return ui::FromQ(e->text()); }
std::string Text(const QComboBox* c) { return ui::FromQ(c->currentText()); }
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

QLabel* Label(const QString& text, QWidget* parent, bool bold = false) {
    auto* l = new QLabel(text, parent);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
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

    auto* setup = Button("InvoiceHeaderBtn", "Invoice Setup");
    auto* close = Button("CloseForm", "Close");
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

QLineEdit* TPOSForm::Edit(const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    return e;
}

QPushButton* TPOSForm::Button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QToolButton* TPOSForm::SmallButton(const char* name, const QString& text, const QString& tip) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    return b;
}

QComboBox* TPOSForm::PaymentBox(const char* name) {
    auto* c = new QComboBox(this);
    c->setObjectName(name);
    c->setEditable(true);
    c->addItems(kPaymentMethods);
    c->setCurrentIndex(-1);
    c->setEditText(QString());
    return c;
}

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
    page.view->header()->setDefaultSectionSize(84);
    page.view->header()->setSectionsMovable(false);
}

namespace {

// Label and field rows, with an optional small button beside the field.
class AmountGrid {
public:
    explicit AmountGrid(QWidget* page) : page_(page), grid_(new QGridLayout) {}
    void Add(QWidget* label, QWidget* field, QWidget* extra = nullptr) {
        grid_->addWidget(label, row_, 0);
        grid_->addWidget(field, row_, 1);
        if (extra) grid_->addWidget(extra, row_, 2);
        ++row_;
    }
    void Add(const QString& label, QWidget* field, bool bold = false) {
        Add(Label(label, page_, bold), field);
    }
    // An amount box with its type drop-down beside it.
    void AddWithType(const QString& label, QWidget* amount, QWidget* type) {
        auto* pair = new QWidget(page_);
        auto* row = new QHBoxLayout(pair);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(amount, 1);
        row->addWidget(type);
        Add(Label(label, page_), pair);
    }
    QGridLayout* Finish() {
        grid_->setRowStretch(row_, 1);
        return grid_;
    }

private:
    QWidget* page_;
    QGridLayout* grid_;
    int row_ = 0;
};

}  // namespace

TPOSForm::PageParts TPOSForm::MakePageParts(QWidget* page, const PageNames& names,
                                            const QString& memoLabel, const QString& numberLabel,
                                            QLineEdit* number) {
    PageParts parts;
    parts.memo = new QPlainTextEdit(this);
    parts.memo->setObjectName(names.memo);
    parts.memo->setTabChangesFocus(true);
    parts.memo->setMaximumHeight(90);
    auto* changeTax1 = SmallButton(names.changeTax1, "...", "Change tax one");
    auto* changeTax2 = SmallButton(names.changeTax2, "...", "Change tax two");
    auto* selectCustomer = SmallButton(names.selectCustomer, "Select...", "Select customer");
    auto* customerList = SmallButton(names.customerList, "Customers...", "Edit the customer list");
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
    memoHead->addWidget(Label(memoLabel, page));
    memoHead->addStretch();
    memoHead->addWidget(selectCustomer);
    memoHead->addWidget(customerList);
    memoBox->addLayout(memoHead);
    memoBox->addWidget(parts.memo);
    top->addLayout(memoBox, 1);
    auto* numberBox = new QFormLayout;
    numberBox->addRow(Label(numberLabel, page), number);
    top->addLayout(numberBox);
    return parts;
}

void TPOSForm::AssemblePage(QWidget* page, const PageParts& parts, QLayout* list, QLayout* amounts,
                            QLayout* buttons) {
    auto* middle = new QHBoxLayout;
    middle->addLayout(list, 1);
    middle->addLayout(amounts);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(parts.top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
}

QWidget* TPOSForm::BuildSalePage() {
    auto* page = new QWidget(this);
    MakeList(sale_, "ItemView");
    connect(sale_.view, &QTreeView::doubleClicked, this, [this] { ItemViewDblClick(); });

    nextInvoice_ = Edit("NextInvoiceNumber");
    nextInvoice_->setReadOnly(true);
    QFont bold = nextInvoice_->font();
    bold.setBold(true);
    nextInvoice_->setFont(bold);
    const PageParts parts =
        MakePageParts(page, {"SoldTo", "ChangeTax1", "ChangeTax2", "SpeedButton3", "SpeedButton4"},
                      "Sold To:", "Next Invoice Number", nextInvoice_);
    soldTo_ = parts.memo;

    preTax_ = Edit("PreTaxTotal");
    discountAmount_ = Edit("DiscountAmount");
    discountType_ = new QComboBox(this);
    discountType_->setObjectName("DiscountType");
    discountType_->setEditable(true);
    discountType_->addItems({"$", "%"});
    discountType_->setCurrentIndex(1);
    afterDiscount_ = Edit("AfterDiscount");
    tax1_ = new QCheckBox("Tax One", this);
    tax1_->setObjectName("Tax1Label");
    tax2_ = new QCheckBox("Tax Two", this);
    tax2_->setObjectName("Tax2Label");
    taxOne_ = Edit("TaxOne");
    taxTwo_ = Edit("TaxTwo");
    invoiceTotal_ = Edit("InvoiceTotal");
    invoiceTotal_->setFont(bold);
    paymentMethod_ = PaymentBox("PaymentMethod");
    ccNumber_ = Edit("CCNumber");
    amountReceived_ = Edit("AmountReceived");
    change_ = Edit("Change");
    printCopies_ = new QSpinBox(this);
    printCopies_->setObjectName("PrintCopies");
    printCopies_->setRange(0, 3);

    auto* add = Button("AddItemsBtn", "Add Manual");
    auto* batch = Button("BatchAddBtn", "Batch Add");
    auto* remove = Button("RemoveSelectedBtn", "Remove");
    auto* newSale = Button("NewSaleBtn", "New Sale");
    auto* finalize = Button("FinalizeSaleBtn", "Finalize");
    connect(add, &QPushButton::clicked, this, &TPOSForm::AddItemsBtnClick);
    connect(batch, &QPushButton::clicked, this, &TPOSForm::BatchAddBtnClick);
    connect(remove, &QPushButton::clicked, this, &TPOSForm::RemoveSelectedBtnClick);
    connect(newSale, &QPushButton::clicked, this, &TPOSForm::NewSaleBtnClick);
    connect(finalize, &QPushButton::clicked, this, &TPOSForm::FinalizeSaleBtnClick);

    const auto compute = [this] {
        if (!quiet_) ComputeTotals();
    };
    connect(discountAmount_, &QLineEdit::textChanged, this, compute);
    connect(discountType_, &QComboBox::currentTextChanged, this, compute);
    connect(tax1_, &QCheckBox::toggled, this, &TPOSForm::TaxBoxChanged);
    connect(tax2_, &QCheckBox::toggled, this, &TPOSForm::TaxBoxChanged);
    connect(amountReceived_, &QLineEdit::textChanged, this, [this] {
        if (!quiet_) UpdateChange();
    });
    connect(invoiceTotal_, &QLineEdit::textChanged, this, [this] {
        if (!quiet_ && !amountReceived_->text().isEmpty()) UpdateChange();
    });
    connect(printCopies_, &QSpinBox::valueChanged, this,
            [this](int copies) { store_.Values.printCopies = copies; });

    AmountGrid amounts(page);
    amounts.Add("Pre Tax Total", preTax_);
    amounts.AddWithType("Discount  ", discountAmount_, discountType_);
    amounts.Add("After Discount", afterDiscount_);
    amounts.Add(tax1_, taxOne_, parts.changeTax1);
    amounts.Add(tax2_, taxTwo_, parts.changeTax2);
    amounts.Add("InvoiceTotal", invoiceTotal_, true);
    amounts.Add("Payment Method", paymentMethod_);
    amounts.Add("CC Number", ccNumber_);
    amounts.Add("Amount Received", amountReceived_);
    amounts.Add("Change", change_);
    amounts.Add("Print Copies", printCopies_);

    auto* list = new QVBoxLayout;
    list->addWidget(Label("Items Purchased", page));
    list->addWidget(sale_.view, 1);
    list->addWidget(Label("Double click item to modify details or quantity.", page));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(batch);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(newSale);
    buttons->addWidget(finalize);

    AssemblePage(page, parts, list, amounts.Finish(), buttons);
    return page;
}

QWidget* TPOSForm::BuildRefundPage() {
    auto* page = new QWidget(this);
    MakeList(refund_, "RefundList");
    connect(refund_.view, &QTreeView::doubleClicked, this, [this] { RefundListDblClick(); });

    originalInvoice_ = Edit("OriginalInvoice");
    const PageParts parts = MakePageParts(
        page, {"RefundTo", "SpeedButton1", "SpeedButton2", "SpeedButton6", "SpeedButton5"},
        "Refund To", "Original Invoice", originalInvoice_);
    refundTo_ = parts.memo;

    rPreTax_ = Edit("RPretaxtotal");
    adjustment_ = Edit("Adjustment");
    adjustmentType_ = new QComboBox(this);
    adjustmentType_->setObjectName("RAdjustmentType");
    adjustmentType_->setEditable(true);
    adjustmentType_->addItems({"%", "$"});
    adjustmentType_->setCurrentIndex(0);
    adjustmentAmount_ = Edit("AdjustmentAmount");
    tax1R_ = new QCheckBox("Tax One", this);
    tax1R_->setObjectName("UseTax1R");
    tax2R_ = new QCheckBox("Tax Two", this);
    tax2R_->setObjectName("UseTax2R");
    taxOneR_ = Edit("TaxOneR");
    taxTwoR_ = Edit("TaxTwoR");
    refundTotal_ = Edit("RefundTotal");
    QFont bold = refundTotal_->font();
    bold.setBold(true);
    refundTotal_->setFont(bold);
    refundType_ = PaymentBox("RefundType");
    rccNumber_ = Edit("RCCNumber");

    auto* add = Button("AddRefundBtn", "Add Item");
    auto* remove = Button("RemoveRefundBtn", "Remove Item");
    auto* clear = Button("ClearRefundBtn", "Clear");
    auto* refund = Button("RefundBtn", "Refund");
    connect(add, &QPushButton::clicked, this, &TPOSForm::AddRefundBtnClick);
    connect(remove, &QPushButton::clicked, this, &TPOSForm::RemoveRefundBtnClick);
    connect(clear, &QPushButton::clicked, this, &TPOSForm::ClearRefundBtnClick);
    connect(refund, &QPushButton::clicked, this, &TPOSForm::RefundBtnClick);

    const auto compute = [this] {
        if (!quiet_) ComputeRefundTotals();
    };
    connect(adjustment_, &QLineEdit::textChanged, this, compute);
    connect(adjustmentType_, &QComboBox::currentTextChanged, this, compute);
    // The refund page's boxes follow the stored defaults but never store them.
    connect(tax1R_, &QCheckBox::toggled, this, compute);
    connect(tax2R_, &QCheckBox::toggled, this, compute);

    AmountGrid amounts(page);
    amounts.Add("Pre Tax Total", rPreTax_);
    amounts.AddWithType("Adjustment", adjustment_, adjustmentType_);
    amounts.Add("After Adjustment", adjustmentAmount_);
    amounts.Add(tax1R_, taxOneR_, parts.changeTax1);
    amounts.Add(tax2R_, taxTwoR_, parts.changeTax2);
    amounts.Add("Refund Total", refundTotal_, true);
    amounts.Add("Refund Type", refundType_);
    amounts.Add("CC Number", rccNumber_);

    auto* list = new QVBoxLayout;
    list->addWidget(refund_.view, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(clear);
    buttons->addWidget(refund);

    AssemblePage(page, parts, list, amounts.Finish(), buttons);
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
    tax1_->setText(one);
    tax1R_->setText(one);
    tax2_->setText(two);
    tax2R_->setText(two);
}

void TPOSForm::FormActivate() {
    SetText(nextInvoice_, store_.Values.nextInvoice);
    SetTaxCaptions();
    // Setting the first box stores both states as defaults, so both stored
    // values are taken before either box is set.
    const bool default1 = store_.Values.tax1Default;
    const bool default2 = store_.Values.tax2Default;
    tax1_->setChecked(default1);
    tax2_->setChecked(default2);
    tax1R_->setChecked(default1);
    tax2R_->setChecked(default2);
    RebuildList(discountType_, {"$", "%"});
    printCopies_->setValue(store_.Values.printCopies);
}

void TPOSForm::TaxBoxChanged() {
    store_.Values.tax1Default = tax1_->isChecked();
    store_.Values.tax2Default = tax2_->isChecked();
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
    const auto a =
        brenvik::ComputeAmounts(lines_, Text(discountAmount_), Text(discountType_),
                                {tax1_->isChecked(), v.tax1Rate}, {tax2_->isChecked(), v.tax2Rate});
    SetText(preTax_, a.preTax);
    SetText(afterDiscount_, a.afterDiscount);
    SetText(taxOne_, a.taxOne);
    SetText(taxTwo_, a.taxTwo);
    SetText(invoiceTotal_, a.total);  // its change updates Change
}

void TPOSForm::UpdateChange() {
    SetText(change_, brenvik::ComputeChange(Text(amountReceived_), Text(invoiceTotal_)));
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
    const auto a = brenvik::ComputeAmounts(refundLines_, Text(adjustment_), Text(adjustmentType_),
                                           {tax1R_->isChecked(), v.tax1Rate},
                                           {tax2R_->isChecked(), v.tax2Rate});
    SetText(rPreTax_, a.preTax);
    SetText(adjustmentAmount_, a.afterDiscount);
    SetText(taxOneR_, a.taxOne);
    SetText(taxTwoR_, a.taxTwo);
    SetText(refundTotal_, a.total);
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
        (tax == 1 ? tax1_ : tax2_)->setText(caption);
        (tax == 1 ? tax1R_ : tax2R_)->setText(caption);
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
void TPOSForm::SelectLine(int line) { Select(sale_, line); }
int TPOSForm::SelectedRefundLine() const { return Selected(refund_); }
void TPOSForm::SelectRefundLine(int line) { Select(refund_, line); }

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
    if (!lines_.empty() &&
        ui::platform().Message(MsgKind::Confirmation,
                               "Warning: existing sale has not been finalized.  Are you sure you "
                               "want to continue ?",
                               MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    quiet_ = true;
    lines_.clear();
    sale_.model->Reset();
    soldTo_->clear();
    preTax_->clear();
    discountAmount_->clear();
    afterDiscount_->clear();
    tax1_->setChecked(true);  // stores both defaults as on
    tax2_->setChecked(true);
    taxOne_->clear();
    taxTwo_->clear();
    invoiceTotal_->clear();
    paymentMethod_->setCurrentIndex(-1);
    paymentMethod_->setEditText(QString());
    ccNumber_->clear();
    amountReceived_->clear();
    change_->clear();
    SetText(nextInvoice_, store_.Values.nextInvoice);
    quiet_ = false;
}

brenvik::SaleForm TPOSForm::SaleOnScreen() const {
    brenvik::SaleForm s;
    s.lines = lines_;
    s.customer = MemoLines(soldTo_);
    s.preTax = Text(preTax_);
    s.discountAmount = Text(discountAmount_);
    s.discountType = Text(discountType_);
    s.taxOne = Text(taxOne_);
    s.taxTwo = Text(taxTwo_);
    s.total = Text(invoiceTotal_);
    s.paymentMethod = Text(paymentMethod_);
    s.amountReceived = Text(amountReceived_);
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
    preview_->PrintCopies(printCopies_->value());
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
    for (QLineEdit* e : {originalInvoice_, rPreTax_, adjustment_, adjustmentAmount_, taxOneR_,
                         taxTwoR_, refundTotal_, rccNumber_})
        e->clear();
    refundType_->setCurrentIndex(-1);
    refundType_->setEditText(QString());
    quiet_ = false;
}

brenvik::SaleForm TPOSForm::RefundOnScreen() const {
    brenvik::SaleForm r;
    r.lines = refundLines_;
    r.customer = MemoLines(refundTo_);
    r.preTax = Text(rPreTax_);
    r.discountAmount = Text(adjustment_);
    r.discountType = Text(adjustmentType_);
    r.taxOne = Text(taxOneR_);
    r.taxTwo = Text(taxTwoR_);
    r.total = Text(refundTotal_);
    r.paymentMethod = Text(refundType_);
    return r;
}

brenvik::InvoiceInput TPOSForm::SaleInvoice(const std::string& number) const {
    brenvik::InvoiceInput in;
    in.date = brenvik::FormatDate(brenvik::Today());
    in.number = number;
    in.soldTo = brenvik::MemoLines(ui::FromQ(soldTo_->toPlainText()));
    in.lines = lines_;
    in.preTax = Text(preTax_);
    in.discountAmount = Text(discountAmount_);
    in.discountType = Text(discountType_);
    in.afterDiscount = Text(afterDiscount_);
    in.tax1On = tax1_->isChecked();
    in.tax2On = tax2_->isChecked();
    in.tax1Name = store_.Values.tax1Name;
    in.tax2Name = store_.Values.tax2Name;
    in.taxOne = Text(taxOne_);
    in.taxTwo = Text(taxTwo_);
    in.total = Text(invoiceTotal_);
    in.amountReceived = Text(amountReceived_);
    in.change = Text(change_);
    in.paymentMethod = Text(paymentMethod_);
    in.ccNumber = Text(ccNumber_);
    return in;
}

brenvik::InvoiceInput TPOSForm::RefundInvoice() const {
    brenvik::InvoiceInput in;
    in.date = brenvik::FormatDate(brenvik::Today());
    // The printed refund names the original invoice; the "R" belongs to the
    // record only.
    in.number = Text(originalInvoice_);
    in.soldTo = brenvik::MemoLines(ui::FromQ(refundTo_->toPlainText()));
    in.lines = refundLines_;
    in.preTax = Text(rPreTax_);
    in.discountAmount = Text(adjustment_);
    in.discountType = Text(adjustmentType_);
    in.afterDiscount = Text(adjustmentAmount_);
    in.tax1On = tax1R_->isChecked();
    in.tax2On = tax2R_->isChecked();
    in.tax1Name = store_.Values.tax1Name;
    in.tax2Name = store_.Values.tax2Name;
    in.taxOne = Text(taxOneR_);
    in.taxTwo = Text(taxTwoR_);
    in.total = Text(refundTotal_);
    in.paymentMethod = Text(refundType_);
    in.ccNumber = Text(rccNumber_);
    return in;
}

void TPOSForm::RefundBtnClick() {
    const auto result =
        brenvik::ProcessRefund(store_, RefundOnScreen(), Text(originalInvoice_), brenvik::Today());
    if (!result.done) {
        ui::platform().Message(MsgKind::Error, result.message, MsgButtons::Ok);
        return;
    }
    preview_->GenerateRefund(RefundInvoice(), store_.Values);
    // The sale page's copies count serves refunds too.
    preview_->PrintCopies(printCopies_->value());
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

void TPOSForm::CloseFormClick() {
    if (!lines_.empty() &&
        ui::platform().Message(MsgKind::Confirmation,
                               "Warning: existing sale has not been finalized.  Are you sure you "
                               "want to close ?",
                               MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    close();
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
