#pragma once
// The Select Customer dialog: finds a customer by the start of any field and
// writes the customer's name and address into a sale's or refund's memo.
#include "store/core/stringtable.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace brenvik {

class TSelectCustomerForm : public QDialog {
    Q_OBJECT
public:
    // `target` receives the address lines on OK (SoldTo or RefundTo).
    TSelectCustomerForm(const brenvik::StringTable& customers, QPlainTextEdit* target,
                        QWidget* parent = nullptr);

    QComboBox* Field() const { return field_; }
    QLineEdit* Value() const { return value_; }
    QListWidget* SelectBox() const { return list_; }

    // Rebuilds SelectBox from Field and Value.
    void FillList();
    // Writes the selected customer into the target memo; nothing without a
    // selection.
    void CopySelected();

    void OKBtnClick();
    void CancelBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const brenvik::StringTable& customers_;
    QPlainTextEdit* target_;
    QComboBox* field_ = nullptr;
    QLineEdit* value_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace brenvik
