#pragma once
// The numeric range dialog ("Edit Numeric Range") of the table report.
#include "store/inventory/screens/RangeForm.h"

namespace brenvik {

class TEditNumericRangeForm : public RangeForm {
    Q_OBJECT
public:
    explicit TEditNumericRangeForm(QWidget* parent = nullptr);

    QLineEdit* FromEdit() const { return from_; }
    QLineEdit* ToEdit() const { return to_; }

    // The entries as typed; the summary when at least one is filled.
    void OKBtnClick() override;
};

}  // namespace brenvik
