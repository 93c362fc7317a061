#include "store/sales/screens/TInvoiceHistoryForm.h"

#include "store/core/error.h"
#include "store/inventory/screens/StringTableModel.h"
#include "store/reports/export.h"
#include "store/reports/screens/handoff.h"
#include "store/sales/invoices.h"
#include "store/sales/screens/TPurgeForm.h"
#include "ui/platform.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace brenvik {

TInvoiceHistoryForm::TInvoiceHistoryForm(brenvik::Store& store, QWidget* parent)
    : QDialog(parent), store_(store) {
    setObjectName("TInvoiceHistoryForm");
    setWindowTitle("Invoice History");
    resize(900, 520);

    model_ = new StringTableModel(store_.InvoiceGrid, this);
    view_ = new QTableView(this);
    view_->setObjectName("InvoiceGrid");
    view_->setModel(model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui::KeepColumnsFitted(view_, 128);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto* purge = ui::NamedButton(this, "PurgeBtn", "Purge");
    auto* analyze = ui::NamedButton(this, "InvoiceReportBtn", "Analyze");
    auto* exit = ui::NamedButton(this, "OKButton", "Exit");
    connect(purge, &QPushButton::clicked, this, &TInvoiceHistoryForm::PurgeBtnClick);
    connect(analyze, &QPushButton::clicked, this, &TInvoiceHistoryForm::InvoiceReportBtnClick);
    connect(exit, &QPushButton::clicked, this, &TInvoiceHistoryForm::OKButtonClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(purge);
    bottom->addWidget(analyze);
    bottom->addStretch();
    bottom->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(bottom);
}

void TInvoiceHistoryForm::RefreshGrid() { model_->Refresh(); }

void TInvoiceHistoryForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
    RefreshGrid();
}

void TInvoiceHistoryForm::FormActivate() {
    if (!firstTime_) return;
    firstTime_ = false;
    std::vector<std::string> errors = store_.LoadInvoices();
    RefreshGrid();
    for (const std::string& e : errors) ui::ShowError(brenvik::StoreError(e));
}

bool TInvoiceHistoryForm::FormClose() {
    try {
        store_.SaveInvoices();
    } catch (const std::exception& e) {
        ui::ShowError(e);
        return false;
    }
    return true;
}

void TInvoiceHistoryForm::done(int result) {
    if (isVisible() && !FormClose()) return;
    QDialog::done(result);
}

// The purge dialog and the hand-off to the analyzer are opened here.
void TInvoiceHistoryForm::PurgeBtnClick() {
    TPurgeForm dialog(store_.InvoiceGrid, brenvik::InvoiceField(store_.InvoiceGrid, "date"),
                      store_.Folder(), this);
    ui::platform().ShowModal(dialog);
    RefreshGrid();
}

void TInvoiceHistoryForm::InvoiceReportBtnClick() {
    ui::Guarded([this] {
        HandOffToAnalyzer(store_.InvoiceGrid, store_.Folder(), brenvik::kInvoiceTempFile);
    });
}

void TInvoiceHistoryForm::OKButtonClick() { close(); }

}  // namespace brenvik
