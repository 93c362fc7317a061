#pragma once
// The date range dialog ("Edit Date Range") of the table report.
#include "store/inventory/screens/RangeForm.h"

namespace brenvik {

class TEditDateRangeForm : public RangeForm {
    Q_OBJECT
public:
    explicit TEditDateRangeForm(QWidget* parent = nullptr);

    // The caller's edit mask for both entries (Qt input mask syntax).
    void SetEditMask(const QString& mask);

    QLineEdit* FromDate() const { return from_; }
    QLineEdit* ToDate() const { return to_; }
    // What an entry reads when nothing is typed in it.
    QString EmptyEntryText() const { return empty_; }

    // Both entries filled give the range; otherwise everything is emptied.
    void OKBtnClick() override;

private:
    QString empty_;
};

}  // namespace brenvik
