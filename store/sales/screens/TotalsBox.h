#pragma once
// The amount boxes beside a point-of-sale list: the pre-tax total, the
// discount (or adjustment) with its type, the amount after it, both taxes
// with their boxes and change buttons, the total and the payment. The sale
// page adds the amount received, the change and the number of copies.
#include "store/sales/finalize.h"
#include "store/sales/invoicelayout.h"
#include "store/sales/totals.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QSpinBox;

namespace brenvik {

class TotalsBox : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Sale, Refund };
    // `changeTax1` and `changeTax2` go beside the tax amounts.
    TotalsBox(Kind kind, QWidget* changeTax1, QWidget* changeTax2, QWidget* parent);

    // Shows computed amounts; the inputs stay as they are.
    void ShowAmounts(const brenvik::SaleAmounts& amounts);
    // Empties every box; the tax boxes keep their state.
    void Clear();
    // The amounts and payment as the rules take them; the page adds the
    // customer and the lines.
    void FillForm(brenvik::SaleForm& form) const;
    // The amounts, taxes and payment as the printed invoice shows them.
    void FillInvoice(brenvik::InvoiceInput& invoice) const;

    QLineEdit* preTax = nullptr;
    QLineEdit* discount = nullptr;
    QComboBox* discountType = nullptr;
    QLineEdit* afterDiscount = nullptr;
    QCheckBox* tax1 = nullptr;
    QCheckBox* tax2 = nullptr;
    QLineEdit* taxOne = nullptr;
    QLineEdit* taxTwo = nullptr;
    QLineEdit* total = nullptr;
    QComboBox* payment = nullptr;
    QLineEdit* ccNumber = nullptr;
    // The sale page only; null on the refund page.
    QLineEdit* amountReceived = nullptr;
    QLineEdit* change = nullptr;
    QSpinBox* printCopies = nullptr;

private:
    void Add(QWidget* label, QWidget* field, QWidget* extra = nullptr);
    void Add(const QString& label, QWidget* field, bool bold = false);
    // An amount box with its type drop-down beside it.
    void AddWithType(const QString& label, QWidget* amount, QWidget* type);

    QGridLayout* grid_ = nullptr;
    int row_ = 0;
};

}  // namespace brenvik
