#include "store/reports/screens/TExportForm.h"

#include "store/core/safefile.h"
#include "store/inventory/screens/StringTableModel.h"
#include "store/inventory/store.h"
#include "store/reports/export.h"
#include "store/reports/screens/handoff.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace brenvik {

TExportForm::TExportForm(std::string dataFolder, QWidget* parent)
    : QDialog(parent), dataFolder_(std::move(dataFolder)) {
    setObjectName("ExportForm");
    setWindowTitle("Export Data");

    book_ = new QTabWidget(this);
    book_->setObjectName("ExportBook");

    auto* fieldsPage = new QWidget(book_);
    fieldList_ = new QListWidget(fieldsPage);
    fieldList_->setObjectName("FieldList");
    fieldList_->setSelectionMode(QAbstractItemView::SingleSelection);
    QPushButton* up = ui::NamedButton(fieldsPage, "MoveUpBtn", "Move Up");
    QPushButton* down = ui::NamedButton(fieldsPage, "MoveDownBtn", "Move Down");
    auto* moveButtons = new QVBoxLayout;
    moveButtons->addWidget(up);
    moveButtons->addWidget(down);
    moveButtons->addStretch();
    auto* fieldsLayout = new QHBoxLayout(fieldsPage);
    fieldsLayout->addWidget(fieldList_);
    fieldsLayout->addLayout(moveButtons);
    book_->addTab(fieldsPage, "Fields");

    auto* previewPage = new QWidget(book_);
    previewModel_ = new StringTableModel(exportGrid_, this);
    preview_ = new QTableView(previewPage);
    preview_->setObjectName("ExportGrid");
    preview_->setModel(previewModel_);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui::KeepColumnsFitted(preview_, 100);
    auto* previewLayout = new QVBoxLayout(previewPage);
    previewLayout->addWidget(preview_);
    book_->addTab(previewPage, "Preview");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(book_);
    layout->addLayout(
        ui::ButtonRow(this, {{"ExportBtn", "Save", [this] { ExportBtnClick(); }},
                             {"InvoiceReportBtn", "Analyze", [this] { InvoiceReportBtnClick(); }},
                             {"OKBtn", "OK", [this] { OKBtnClick(); }}}));
    resize(560, 440);

    connect(up, &QPushButton::clicked, this, &TExportForm::MoveUpBtnClick);
    connect(down, &QPushButton::clicked, this, &TExportForm::MoveDownBtnClick);
    connect(book_, &QTabWidget::currentChanged, this, &TExportForm::ExportBookChange);
}

void TExportForm::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TExportForm::FormActivate() {
    if (fieldsFilled_) return;
    fieldsFilled_ = true;
    for (int c = 0; c < BufferGrid.ColCount(); ++c) {
        auto* item = new QListWidgetItem(ui::ToQ(BufferGrid.Cell(c, 0)), fieldList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, c);
    }
}

void TExportForm::MoveUpBtnClick() {
    int row = fieldList_->currentRow();
    if (row <= 0 || !fieldList_->currentItem()->isSelected()) return;
    QListWidgetItem* item = fieldList_->takeItem(row);
    fieldList_->insertItem(row - 1, item);
    fieldList_->setCurrentRow(row - 1);
}

void TExportForm::MoveDownBtnClick() {
    int row = fieldList_->currentRow();
    if (row < 0 || row + 1 >= fieldList_->count() || !fieldList_->currentItem()->isSelected())
        return;
    QListWidgetItem* item = fieldList_->takeItem(row);
    fieldList_->insertItem(row + 1, item);
    fieldList_->setCurrentRow(row + 1);
}

void TExportForm::ExportBookChange(int page) {
    if (page == 1) LoadExportGrid();
}

void TExportForm::LoadExportGrid() {
    FormActivate();
    std::vector<int> columns;
    for (int i = 0; i < fieldList_->count(); ++i) {
        QListWidgetItem* item = fieldList_->item(i);
        if (item->checkState() == Qt::Checked) columns.push_back(item->data(Qt::UserRole).toInt());
    }
    exportGrid_ = brenvik::BuildExportGrid(BufferGrid, columns);
    previewModel_->Refresh();
}

void TExportForm::ExportBtnClick() {
    ui::Guarded([&] {
        LoadExportGrid();
        ui::FileDialogSpec spec;
        spec.title = "Export Data";
        spec.filter = "Comma Delimited File (*.csv)";
        spec.defaultExt = "csv";
        spec.confirmOverwrite = false;  // asked below, with No offering the dialog again
        for (;;) {
            std::optional<QString> name = ui::platform().SaveFileName(spec);
            if (!name || name->isEmpty()) return;
            if (brenvik::FileExists(ui::PathFromQ(*name)) &&
                !ui::platform().ConfirmDestructive(
                    "File already exists.  Do you want to overwrite it ?"))
                continue;
            exportGrid_.SaveToCSV(ui::PathFromQ(*name));
            ui::platform().ShowMessage(brenvik::MsgKind::Information,
                                       "Data exported to " + *name + ".", brenvik::MsgButtons::Ok);
            return;
        }
    });
}

void TExportForm::InvoiceReportBtnClick() {
    ui::Guarded([&] {
        LoadExportGrid();
        HandOffToAnalyzer(exportGrid_, dataFolder_, brenvik::kExportTempFile);
    });
}

void TExportForm::OKBtnClick() { accept(); }

void ExportTable(const brenvik::StringTable& table, const std::string& dataFolder,
                 QWidget* parent) {
    TExportForm form(dataFolder, parent);
    form.BufferGrid = table;
    ui::platform().ShowModal(form);
}

void ExportCheckedRows(const brenvik::StringTable& table,
                       const std::function<bool(int item)>& checked, const std::string& dataFolder,
                       QWidget* parent) {
    int copied = 0;
    brenvik::StringTable rows = brenvik::CheckedTableRows(table, checked, &copied);
    if (copied == 0) {
        ui::platform().ShowMessage(brenvik::MsgKind::Error, "No items are selected.",
                                   brenvik::MsgButtons::Ok);
        return;
    }
    ExportTable(rows, dataFolder, parent);
}

bool ListItemChecked(const QAbstractItemModel& list, int item) {
    return list.index(item, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void ExportAllInventory(brenvik::Store& store, QWidget* parent) {
    ExportTable(store.Data, store.Folder(), parent);
}

void ExportCheckedInventory(brenvik::Store& store, const QAbstractItemModel& inventoryList,
                            QWidget* parent) {
    ExportCheckedRows(
        store.Data,
        [&](int item) {
            return item < inventoryList.rowCount() && ListItemChecked(inventoryList, item);
        },
        store.Folder(), parent);
}

void ExportInvoiceHistory(brenvik::Store& store, QWidget* parent) {
    ExportTable(store.InvoiceGrid, store.Folder(), parent);
}

}  // namespace brenvik
