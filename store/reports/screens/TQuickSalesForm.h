#pragma once
// The quick sales report ("Quick Report"): per inventory item, the sales,
// orders or returns of its history over a date range, with a totals line;
// exported as CSV or printed through the table report.
#include "store/reports/salesreport.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableView;

namespace brenvik {

class InventoryHost;
class Store;
class StringTableModel;

class TQuickSalesForm : public QDialog {
    Q_OBJECT
public:
    // `checked(k)` tells whether inventory item k carries a check mark.
    TQuickSalesForm(Store& store, std::function<bool(int item)> checked, QWidget* parent = nullptr);
    ~TQuickSalesForm() override;

    // The day undated history entries and the calendar start from.
    Date Today = brenvik::Today();

    const StringTable& QuickSalesReport() const { return report_; }

    // Handlers.
    void DateClick(QLineEdit* field);  // FromDate or ToDate
    void GenerateReportbtnClick();
    void ExportBtnClick();
    void BitBtn1Click();  // "Print"
    void OKBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Store& store_;
    std::function<bool(int item)> checked_;
    StringTable report_;
    QComboBox* reportType_ = nullptr;
    QRadioButton* allItems_ = nullptr;
    QRadioButton* checkedItems_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    StringTableModel* model_ = nullptr;
    QTableView* view_ = nullptr;
};

// The item view's "Report": the quick sales report over the inventory, with
// the list's check marks.
void OpenQuickSalesReport(InventoryHost& host, QWidget* parent = nullptr);

}  // namespace brenvik
