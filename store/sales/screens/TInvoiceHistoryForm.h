#pragma once
// The invoice history window: lives for the whole run and shows the invoice
// table (one record per sale or refund) read-only. It loads the table the
// first time it becomes active and saves it when it closes.
#include "store/inventory/store.h"

#include <QDialog>

class QTableView;

namespace brenvik {

class StringTableModel;

class TInvoiceHistoryForm : public QDialog {
    Q_OBJECT
public:
    explicit TInvoiceHistoryForm(brenvik::Store& store, QWidget* parent = nullptr);

    brenvik::StringTable& InvoiceGrid() { return store_.InvoiceGrid; }
    QTableView* InvoiceGridView() const { return view_; }
    // The table changed: redraw it.
    void RefreshGrid();

    // Loads "Invoices.dt2" the first time; later calls do nothing.
    void FormActivate();
    bool Loaded() const { return !firstTime_; }
    // Saves the table; shows the error and returns false when it cannot.
    bool FormClose();

    void PurgeBtnClick();
    void InvoiceReportBtnClick();
    void OKButtonClick();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    brenvik::Store& store_;
    bool firstTime_ = true;
    StringTableModel* model_ = nullptr;
    QTableView* view_ = nullptr;
};

}  // namespace brenvik
