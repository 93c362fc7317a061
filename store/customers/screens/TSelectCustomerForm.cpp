#include "store/customers/screens/TSelectCustomerForm.h"

#include "store/core/codepage.h"
#include "store/customers/customers.h"
#include "store/inventory/search.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace brenvik {

TSelectCustomerForm::TSelectCustomerForm(const brenvik::StringTable& customers,
                                         QPlainTextEdit* target, QWidget* parent)
    : QDialog(parent), customers_(customers), target_(target) {
    setObjectName("SelectCustomerForm");
    setWindowTitle("Select Customer");

    field_ = new QComboBox(this);
    field_->setObjectName("Field");
    int lastName = -1;
    for (int c = 0; c < customers_.ColCount(); ++c) {
        field_->addItem(ui::ToQ(customers_.Cell(c, 0)));
        if (brenvik::LowerWestern(customers_.Cell(c, 0)) == "last name" && lastName < 0)
            lastName = c;
    }
    field_->setCurrentIndex(lastName);

    value_ = new QLineEdit(this);
    value_->setObjectName("Value");

    list_ = new QListWidget(this);
    list_->setObjectName("SelectBox");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ui::FieldRows({{"Field", field_}, {"Starts With", value_}}));
    layout->addWidget(list_);
    layout->addLayout(ui::ButtonRow(this, {{"OKBtn", "OK", [this] { OKBtnClick(); }},
                                           {"CancelBtn", "Cancel", [this] { CancelBtnClick(); }}}));
    resize(340, 420);

    connect(value_, &QLineEdit::textChanged, this, [this] { FillList(); });
    connect(field_, &QComboBox::currentIndexChanged, this, [this] { FillList(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OKBtnClick(); });

    FillList();
    value_->installEventFilter(this);
    value_->setFocus();
}

void TSelectCustomerForm::FillList() {
    list_->clear();
    for (const brenvik::CustomerChoice& c :
         brenvik::FilterCustomers(customers_, field_->currentIndex(), ui::FromQ(value_->text()))) {
        auto* item = new QListWidgetItem(ui::ToQ(c.text), list_);
        item->setData(Qt::UserRole, c.row);
    }
    // The first match stands highlighted, so Enter in the filter takes it.
    if (list_->count() > 0) list_->setCurrentRow(0);
}

bool TSelectCustomerForm::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down in the filter move the highlight through the matches.
    if (watched == value_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int row = list_->currentRow() + (key == Qt::Key_Down ? 1 : -1);
            if (row >= 0 && row < list_->count()) list_->setCurrentRow(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSelectCustomerForm::CopySelected() {
    QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected() || !target_) return;
    int row = item->data(Qt::UserRole).toInt();
    QStringList lines;
    for (const std::string& line : brenvik::CustomerAddressLines(customers_, row))
        lines << ui::ToQ(line);
    target_->setPlainText(lines.join('\n'));
}

void TSelectCustomerForm::OKBtnClick() {
    CopySelected();
    accept();
}

void TSelectCustomerForm::CancelBtnClick() { reject(); }

}  // namespace brenvik
