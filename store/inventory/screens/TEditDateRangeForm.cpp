#include "store/inventory/screens/TEditDateRangeForm.h"

#include "store/inventory/search.h"
#include "ui/text.h"

#include <QLineEdit>

namespace brenvik {

TEditDateRangeForm::TEditDateRangeForm(QWidget* parent)
    : RangeForm("Edit Date Range", "FromDate", "From Date", "ToDate", "To Date", parent) {
    setObjectName("EditDateRangeForm");
    SetEditMask("9999/99/99; ");
}

void TEditDateRangeForm::SetEditMask(const QString& mask) {
    QString from = from_->text();
    QString to = to_->text();
    from_->setInputMask(mask);
    to_->setInputMask(mask);
    from_->clear();
    empty_ = from_->displayText();
    from_->setText(from);
    to_->setText(to);
}

void TEditDateRangeForm::OKBtnClick() {
    brenvik::RangeResult r = brenvik::DateRangeOk(ui::FromQ(from_->displayText()),
                                                  ui::FromQ(to_->displayText()), ui::FromQ(empty_));
    Accept(r.from, r.to, r.summary);
}

}  // namespace brenvik
