#include "store/sales/screens/TotalsBox.h"

#include "ui/text.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace brenvik {

namespace {

QComboBox* TypeBox(QWidget* parent, const char* name, const QStringList& types, int current) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->addItems(types);
    c->setCurrentIndex(current);
    return c;
}

QComboBox* PaymentBox(QWidget* parent, const char* name) {
    static const QStringList methods = {
        "Cash", "Check", "Debit", "Mastercard", "Visa", "American Express", "Store Credit"};
    QComboBox* c = TypeBox(parent, name, methods, -1);
    c->setEditText(QString());
    return c;
}

QCheckBox* TaxBox(QWidget* parent, const char* name) {
    auto* b = new QCheckBox("Tax One", parent);
    b->setObjectName(name);
    return b;
}

void MakeBold(QWidget* w) {
    QFont bold = w->font();
    bold.setBold(true);
    w->setFont(bold);
}

}  // namespace

TotalsBox::TotalsBox(Kind kind, QWidget* changeTax1, QWidget* changeTax2, QWidget* parent)
    : QWidget(parent), grid_(new QGridLayout) {
    const bool sale = kind == Kind::Sale;
    preTax = ui::NamedEdit(this, sale ? "PreTaxTotal" : "RPretaxtotal");
    discount = ui::NamedEdit(this, sale ? "DiscountAmount" : "Adjustment");
    discountType = sale ? TypeBox(this, "DiscountType", {"$", "%"}, 1)
                        : TypeBox(this, "RAdjustmentType", {"%", "$"}, 0);
    afterDiscount = ui::NamedEdit(this, sale ? "AfterDiscount" : "AdjustmentAmount");
    tax1 = TaxBox(this, sale ? "Tax1Label" : "UseTax1R");
    tax2 = TaxBox(this, sale ? "Tax2Label" : "UseTax2R");
    tax2->setText("Tax Two");
    taxOne = ui::NamedEdit(this, sale ? "TaxOne" : "TaxOneR");
    taxTwo = ui::NamedEdit(this, sale ? "TaxTwo" : "TaxTwoR");
    total = ui::NamedEdit(this, sale ? "InvoiceTotal" : "RefundTotal");
    MakeBold(total);
    payment = PaymentBox(this, sale ? "PaymentMethod" : "RefundType");
    ccNumber = ui::NamedEdit(this, sale ? "CCNumber" : "RCCNumber");

    Add("Pre Tax Total", preTax);
    AddWithType(sale ? "Discount  " : "Adjustment", discount, discountType);
    Add(sale ? "After Discount" : "After Adjustment", afterDiscount);
    Add(tax1, taxOne, changeTax1);
    Add(tax2, taxTwo, changeTax2);
    Add(sale ? "InvoiceTotal" : "Refund Total", total, true);
    Add(sale ? "Payment Method" : "Refund Type", payment);
    Add("CC Number", ccNumber);
    if (sale) {
        amountReceived = ui::NamedEdit(this, "AmountReceived");
        change = ui::NamedEdit(this, "Change");
        printCopies = new QSpinBox(this);
        printCopies->setObjectName("PrintCopies");
        printCopies->setRange(0, 3);
        Add("Amount Received", amountReceived);
        Add("Change", change);
        Add("Print Copies", printCopies);
    }
    grid_->setRowStretch(row_, 1);
    grid_->setContentsMargins(0, 0, 0, 0);
    setLayout(grid_);
}

void TotalsBox::Add(QWidget* label, QWidget* field, QWidget* extra) {
    grid_->addWidget(label, row_, 0);
    grid_->addWidget(field, row_, 1);
    if (extra) grid_->addWidget(extra, row_, 2);
    ++row_;
}

void TotalsBox::Add(const QString& label, QWidget* field, bool bold) {
    Add(ui::Label(label, this, bold), field);
}

void TotalsBox::AddWithType(const QString& label, QWidget* amount, QWidget* type) {
    auto* pair = new QWidget(this);
    auto* row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(amount, 1);
    row->addWidget(type);
    Add(ui::Label(label, this), pair);
}

void TotalsBox::ShowAmounts(const brenvik::SaleAmounts& a) {
    preTax->setText(ui::ToQ(a.preTax));
    afterDiscount->setText(ui::ToQ(a.afterDiscount));
    taxOne->setText(ui::ToQ(a.taxOne));
    taxTwo->setText(ui::ToQ(a.taxTwo));
    total->setText(ui::ToQ(a.total));
}

void TotalsBox::FillForm(brenvik::SaleForm& f) const {
    f.preTax = ui::TextOf(preTax);
    f.discountAmount = ui::TextOf(discount);
    f.discountType = ui::TextOf(discountType);
    f.taxOne = ui::TextOf(taxOne);
    f.taxTwo = ui::TextOf(taxTwo);
    f.total = ui::TextOf(total);
    f.paymentMethod = ui::TextOf(payment);
    f.amountReceived = ui::TextOf(amountReceived);
}

void TotalsBox::FillInvoice(brenvik::InvoiceInput& in) const {
    in.preTax = ui::TextOf(preTax);
    in.discountAmount = ui::TextOf(discount);
    in.discountType = ui::TextOf(discountType);
    in.afterDiscount = ui::TextOf(afterDiscount);
    in.tax1On = tax1->isChecked();
    in.tax2On = tax2->isChecked();
    in.taxOne = ui::TextOf(taxOne);
    in.taxTwo = ui::TextOf(taxTwo);
    in.total = ui::TextOf(total);
    in.amountReceived = ui::TextOf(amountReceived);
    in.change = ui::TextOf(change);
    in.paymentMethod = ui::TextOf(payment);
    in.ccNumber = ui::TextOf(ccNumber);
}

void TotalsBox::Clear() {
    for (QLineEdit* e :
         {preTax, discount, afterDiscount, taxOne, taxTwo, total, ccNumber, amountReceived, change})
        if (e) e->clear();
    payment->setCurrentIndex(-1);
    payment->setEditText(QString());
}

}  // namespace brenvik
