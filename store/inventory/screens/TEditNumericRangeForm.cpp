#include "store/inventory/screens/TEditNumericRangeForm.h"

#include "store/inventory/search.h"
#include "ui/text.h"

#include <QLineEdit>

namespace brenvik {

TEditNumericRangeForm::TEditNumericRangeForm(QWidget* parent)
    : RangeForm("Edit Numeric Range", "FromEdit", "From ", "ToEdit", "To  ", parent) {
    setObjectName("EditNumericRangeForm");
}

void TEditNumericRangeForm::OKBtnClick() {
    brenvik::RangeResult r =
        brenvik::NumericRangeOk(ui::FromQ(from_->text()), ui::FromQ(to_->text()));
    Accept(r.from, r.to, r.summary);
}

}  // namespace brenvik
