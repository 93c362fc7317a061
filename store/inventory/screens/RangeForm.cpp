#include "store/inventory/screens/RangeForm.h"

#include "ui/text.h"
#include "ui/widgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brenvik {

RangeForm::RangeForm(const QString& caption, const char* fromName, const QString& fromLabel,
                     const char* toName, const QString& toLabel, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    from_ = ui::NamedEdit(this, fromName);
    to_ = ui::NamedEdit(this, toName);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ui::FieldRows({{fromLabel, from_}, {toLabel, to_}}));
    layout->addLayout(ui::ButtonRow(this, {{"OKBtn", "OK", [this] { OKBtnClick(); }},
                                           {"CancelBtn", "Cancel", [this] { CancelBtnClick(); }},
                                           {"ClearBtn", "Clear", [this] { ClearBtnClick(); }}}));
}

void RangeForm::showEvent(QShowEvent* event) {
    from_->setText(ui::ToQ(From));
    to_->setText(ui::ToQ(To));
    QDialog::showEvent(event);
}

void RangeForm::Accept(std::string from, std::string to, std::string summary) {
    From = std::move(from);
    To = std::move(to);
    Summary = std::move(summary);
    accept();
}

void RangeForm::CancelBtnClick() {
    Summary.clear();
    reject();
}

void RangeForm::ClearBtnClick() {
    from_->clear();
    to_->clear();
}

}  // namespace brenvik
