#pragma once
// The export dialog ("Export Data"): the user picks and orders the columns of
// a table, previews the result, saves it as a CSV file or hands it to the
// analyzer.
#include "store/core/stringtable.h"

#include <QDialog>

#include <functional>
#include <string>

class QAbstractItemModel;
class QListWidget;
class QTabWidget;
class QTableView;

namespace brenvik {

class Store;
class StringTableModel;

class TExportForm : public QDialog {
    Q_OBJECT
public:
    explicit TExportForm(std::string dataFolder, QWidget* parent = nullptr);

    // The source table, filled by the caller before showing the dialog.
    brenvik::StringTable BufferGrid;
    // The output table, as last built.
    const brenvik::StringTable& ExportGrid() const { return exportGrid_; }

    QListWidget* FieldList() const { return fieldList_; }
    QTabWidget* ExportBook() const { return book_; }

    // Handlers.
    void FormActivate();  // fills FieldList once
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    void ExportBookChange(int page);
    void LoadExportGrid();
    void ExportBtnClick();         // "Save"
    void InvoiceReportBtnClick();  // "Analyze"
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string dataFolder_;
    brenvik::StringTable exportGrid_;
    bool fieldsFilled_ = false;
    QListWidget* fieldList_ = nullptr;
    QTabWidget* book_ = nullptr;
    QTableView* preview_ = nullptr;
    StringTableModel* previewModel_ = nullptr;
};

// Shows the export dialog on a whole table.
void ExportTable(const brenvik::StringTable& table, const std::string& dataFolder,
                 QWidget* parent = nullptr);
// Shows it on the heading row and the checked items' rows (item i is table
// row i + 1); with nothing checked, the error "No items are selected." and no
// dialog.
void ExportCheckedRows(const brenvik::StringTable& table,
                       const std::function<bool(int item)>& checked, const std::string& dataFolder,
                       QWidget* parent = nullptr);
// The check mark of a list item: Qt::CheckStateRole of its column 0.
bool ListItemChecked(const QAbstractItemModel& list, int item);

// The main menu's export functions. `inventoryList` is the inventory list
// (check marks in column 0); Data must be current with it.
void ExportAllInventory(brenvik::Store& store, QWidget* parent = nullptr);
void ExportCheckedInventory(brenvik::Store& store, const QAbstractItemModel& inventoryList,
                            QWidget* parent = nullptr);
void ExportInvoiceHistory(brenvik::Store& store, QWidget* parent = nullptr);

}  // namespace brenvik
