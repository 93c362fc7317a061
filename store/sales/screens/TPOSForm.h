#pragma once
// The point of sale: a sale is put together line by line, discounted, taxed
// and paid for, then finalized into stock changes, item histories and an
// invoice record; the refund page is its mirror image. The screen is created
// for one opening; what is on it when it closes is gone.
#include "store/inventory/store.h"
#include "store/sales/finalize.h"
#include "store/sales/invoicelayout.h"
#include "store/sales/totals.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLayout;
class QHBoxLayout;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QTreeView;

namespace brenvik {

class InvoicePreviewPage;
class SaleLineModel;
class TotalsBox;

class TPOSForm : public QDialog {
    Q_OBJECT
public:
    explicit TPOSForm(brenvik::Store& store, QWidget* parent = nullptr);

    // Page indexes of InvoiceBook.
    enum Page { GenerateInvoicePage = 0, ProcessRefundPage = 1, PreviewLastPage = 2 };

    std::vector<brenvik::SaleLine>& Lines() { return lines_; }
    std::vector<brenvik::SaleLine>& RefundLines() { return refundLines_; }
    // The number of the last invoice finalized on this screen; empty before.
    const std::string& LastInvoiceNumber() const { return lastInvoice_; }
    QTabWidget* InvoiceBook() const { return book_; }
    // The "Preview Last" page: the last invoice or refund laid out.
    InvoicePreviewPage& Preview() const { return *preview_; }

    // Line selection of ItemView / RefundList; -1 when none.
    int SelectedLine() const;
    int SelectedRefundLine() const;

    // Operations.
    void TotalLine(int line);
    void ComputeTotals();
    void TotalRefundLine(int line);
    void ComputeRefundTotals();
    void TaxChange(int tax);  // 1 or 2
    // Fills the screen from the settings; runs whenever the screen becomes
    // active, keeping what has been entered.
    void FormActivate();

    // Handlers of the sale page.
    void AddItemsBtnClick();
    void BatchAddBtnClick();
    void ItemViewDblClick();
    void RemoveSelectedBtnClick();
    void NewSaleBtnClick();
    void FinalizeSaleBtnClick();
    void CloseFormClick();
    void SelectCustomerClick();  // SpeedButton3 and SpeedButton6
    void CustomerListClick();    // SpeedButton4 and SpeedButton5
    void InvoiceHeaderBtnClick();
    // Handlers of the refund page.
    void AddRefundBtnClick();
    void RefundListDblClick();
    void RemoveRefundBtnClick();
    void ClearRefundBtnClick();
    void RefundBtnClick();

    // Saves settings, inventory, customers, histories and invoices; shows the
    // error and returns false when a file cannot be written.
    bool FormClose();

public slots:
    void done(int result) override;
    // Escape and the window's close box ask before discarding a sale, as
    // the Close button does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct LinePage {
        std::vector<brenvik::SaleLine>* lines = nullptr;
        SaleLineModel* model = nullptr;
        QTreeView* view = nullptr;
    };
    // What the two pages have alike: the customer memo with its buttons, the
    // number beside it, and the small tax buttons.
    struct PageNames {
        const char* memo;
        const char* changeTax1;
        const char* changeTax2;
        const char* selectCustomer;
        const char* customerList;
    };
    struct PageParts {
        QPlainTextEdit* memo = nullptr;
        QWidget* changeTax1 = nullptr;
        QWidget* changeTax2 = nullptr;
        QLayout* top = nullptr;
    };
    PageParts MakePageParts(QWidget* page, const PageNames& names, const QString& memoLabel,
                            const QString& numberLabel, QLineEdit* number);
    void AssemblePage(QWidget* page, const PageParts& parts, QLayout* list, QWidget* amounts,
                      QLayout* buttons);
    QWidget* BuildSalePage();
    QWidget* BuildRefundPage();
    void MakeList(LinePage& page, const char* name);
    int Selected(const LinePage& page) const;
    void Select(LinePage& page, int line);
    // Opens the line editor on a line; true when it ended with OK.
    bool EditLine(LinePage& page, int line);
    void AddLine(LinePage& page, void (TPOSForm::*total)(int));
    void RemoveLine(LinePage& page, void (TPOSForm::*compute)());
    void UpdateChange();
    void SetTaxCaptions();
    void TaxBoxChanged();
    brenvik::SaleForm SaleOnScreen() const;
    brenvik::SaleForm RefundOnScreen() const;
    // What the printed invoice and refund show, from the boxes of each page.
    brenvik::InvoiceInput SaleInvoice(const std::string& number) const;
    brenvik::InvoiceInput RefundInvoice() const;
    void ShowModalAndReactivate(QDialog& dialog);

    brenvik::Store& store_;
    std::vector<brenvik::SaleLine> lines_;
    std::vector<brenvik::SaleLine> refundLines_;
    std::string lastInvoice_;
    // Set while the screen fills or clears its boxes, so that those changes
    // do not recompute what is about to be emptied.
    bool quiet_ = false;
    bool discardAgreed_ = false;  // the Close button has asked already
    // True when there is no unfinalized sale or the user agrees to lose it.
    bool MayDiscardSale();

    QTabWidget* book_ = nullptr;
    InvoicePreviewPage* preview_ = nullptr;
    LinePage sale_;
    LinePage refund_;

    // Sale page.
    QLineEdit* nextInvoice_ = nullptr;
    TotalsBox* saleTotals_ = nullptr;
    QPlainTextEdit* soldTo_ = nullptr;

    // Refund page.
    QLineEdit* originalInvoice_ = nullptr;
    QPlainTextEdit* refundTo_ = nullptr;
    TotalsBox* refundTotals_ = nullptr;
};

// The main menu's "Point of Sale": a fresh screen, shown modally. The caller
// brings Data up to date before and recomputes and redraws after.
void OpenPointOfSale(brenvik::Store& store, QWidget* parent = nullptr);

}  // namespace brenvik
