#include "store/reports/screens/TQuickSalesForm.h"

#include "store/inventory/screens/InventoryHost.h"
#include "store/inventory/screens/StringTableModel.h"
#include "store/inventory/store.h"
#include "store/reports/screens/TQuickReportForm.h"
#include "store/reports/screens/csvsave.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QCursor>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace brenvik {

TQuickSalesForm::TQuickSalesForm(Store& store, std::function<bool(int item)> checked,
                                 QWidget* parent)
    : QDialog(parent), store_(store), checked_(std::move(checked)) {
    setObjectName("QuickSalesForm");
    setWindowTitle("Quick Report");
    resize(560, 480);

    reportType_ = new QComboBox(this);
    reportType_->setObjectName("ReportType");
    for (const std::string& type : SalesReportTypes()) reportType_->addItem(ui::ToQ(type));
    allItems_ = new QRadioButton("All Items", this);
    allItems_->setObjectName("AllItemsBtn");
    allItems_->setChecked(true);
    checkedItems_ = new QRadioButton("Checked Items", this);
    checkedItems_->setObjectName("SearchListItemsBtn");
    auto* itemsRow = new QHBoxLayout;
    itemsRow->addWidget(allItems_);
    itemsRow->addWidget(checkedItems_);
    itemsRow->addStretch();
    const char* names[] = {"FromDate", "ToDate"};
    QLineEdit** dates[] = {&from_, &to_};
    for (int i = 0; i < 2; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(names[i]);
        edit->setReadOnly(true);
        edit->setToolTip("Click or press Enter for the calendar; Delete empties the date.");
        edit->installEventFilter(this);
        *dates[i] = edit;
    }
    auto* form = new QFormLayout;
    form->addRow("Report Type:", reportType_);
    form->addRow("", itemsRow);
    form->addRow("From", from_);
    form->addRow("To", to_);

    model_ = new StringTableModel(report_, this);
    view_ = new QTableView(this);
    view_->setObjectName("QuickSalesReport");
    view_->setModel(model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(view_, 1);
    layout->addLayout(ui::ButtonRow(
        this, {{"GenerateReportbtn", "Generate", [this] { GenerateReportbtnClick(); }},
               {"ExportBtn", "Export", [this] { ExportBtnClick(); }},
               {"BitBtn1", "Print", [this] { BitBtn1Click(); }},
               {"OKBtn", "OK", [this] { OKBtnClick(); }}}));
}

// The report's view reads the table the dialog owns; hidden while it lives.
TQuickSalesForm::~TQuickSalesForm() { hide(); }

bool TQuickSalesForm::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && (field == from_ || field == to_)) {
        if (event->type() == QEvent::MouseButtonPress) {
            DateClick(field);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
                key == Qt::Key_F4) {
                DateClick(field);
                return true;
            }
            if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
                field->clear();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TQuickSalesForm::DateClick(QLineEdit* field) {
    std::optional<Date> shown = ParseDate(ui::FromQ(field->text()));
    const Date start = shown ? *shown : Today;
    std::optional<QDate> picked = ui::platform().PickDate(
        QCursor::pos() + QPoint(10, 10), QDate(start.year, start.month, start.day));
    if (!picked) return;
    field->setText(ui::ToQ(FormatDate({picked->year(), picked->month(), picked->day()})));
}

void TQuickSalesForm::GenerateReportbtnClick() {
    ui::Guarded([&] {
        SalesReportInput in;
        in.kind = SalesKindFromText(ui::FromQ(reportType_->currentText()));
        in.from = ParseDate(ui::FromQ(from_->text()));
        in.to = ParseDate(ui::FromQ(to_->text()));
        in.today = Today;
        if (checkedItems_->isChecked())
            in.reported = checked_ ? checked_ : [](int) { return false; };
        report_ = BuildQuickSalesReport(store_.Data, store_.Histories, in);
        model_->Refresh();
    });
}

void TQuickSalesForm::ExportBtnClick() {
    ui::Guarded([&] { SaveTableAsCsv(report_, "Export Report"); });
}

void TQuickSalesForm::BitBtn1Click() {
    ui::Guarded([&] { OpenTableReport(report_, store_.Folder(), this); });
}

void TQuickSalesForm::OKBtnClick() { accept(); }

void OpenQuickSalesReport(InventoryHost& host, QWidget* parent) {
    // The list's order and values are the report's.
    host.ListToGrid();
    TQuickSalesForm form(
        host.GetStore(), [&host](int item) { return host.ItemChecked(item); }, parent);
    ui::platform().ShowModal(form);
}

}  // namespace brenvik
