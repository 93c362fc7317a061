#pragma once
// The purge dialog of the invoice history: chooses all records or those
// dated within a range, offers them for export, and removes them.
#include "store/core/stringtable.h"
#include "store/sales/purge.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace brenvik {

class TPurgeForm : public QDialog {
    Q_OBJECT
public:
    // Works on the invoice table itself; `dateColumn` is its date column.
    TPurgeForm(brenvik::StringTable& invoices, int dateColumn, std::string dataFolder,
               QWidget* parent = nullptr);

    const std::vector<int>& Selection() const { return selection_.rows; }
    int PassedOver() const { return selection_.unreadable; }
    // The selected records in table order, then one empty row.
    const brenvik::StringTable& PurgeGrid() const { return purgeGrid_; }

    // Recounts in the mode of the radio button selected. With `report`, a
    // bound that is not a date is reported; either way the count then keeps
    // its previous value. Returns false in that case.
    bool SelectPurge(bool report = true);
    void FormActivate();
    void ExportBtnClick();
    void OKBtnClick();
    // A click in a date box opens the date picker on it.
    void FromDateClick();
    void ToDateClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DateClick(QLineEdit* field);

    brenvik::StringTable& invoices_;
    int dateColumn_;
    std::string dataFolder_;
    brenvik::PurgeSelection selection_;
    brenvik::StringTable purgeGrid_;
    bool selecting_ = false;

    QRadioButton* everything_ = nullptr;
    QRadioButton* dateRange_ = nullptr;
    QLineEdit* fromDate_ = nullptr;
    QLineEdit* toDate_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* passedOver_ = nullptr;
};

}  // namespace brenvik
