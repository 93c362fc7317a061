#include "analyzer/screens/editfilterform.h"

#include "analyzer/values.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellard {

TEditFilterForm::TEditFilterForm(QWidget* parent) : QDialog(parent) {
    setObjectName("EditFilterForm");
    setWindowTitle("Edit Filter");

    auto* valueBox = new QGroupBox("Value", this);
    FilterValue = new QComboBox(valueBox);
    FilterValue->setObjectName("FilterValue");
    FilterValue->setEditable(true);
    FilterValue->setInsertPolicy(QComboBox::NoInsert);
    FilterValue->setMinimumWidth(220);
    // Values match with their case, so typing must not complete to another case.
    FilterValue->completer()->setCaseSensitivity(Qt::CaseSensitive);
    OKValueBtn = new QPushButton("OK", valueBox);
    OKValueBtn->setObjectName("OKValueBtn");
    auto* valueLayout = new QHBoxLayout(valueBox);
    valueLayout->addWidget(FilterValue, 1);
    valueLayout->addWidget(OKValueBtn);

    auto* rangeBox = new QGroupBox("Range", this);
    FromValue = new QLineEdit(rangeBox);
    FromValue->setObjectName("FromValue");
    ToValue = new QLineEdit(rangeBox);
    ToValue->setObjectName("ToValue");
    OKRangeBtn = new QPushButton("OK", rangeBox);
    OKRangeBtn->setObjectName("OKRangeBtn");
    auto* rangeLayout = new QGridLayout(rangeBox);
    rangeLayout->addWidget(new QLabel("From:", rangeBox), 0, 0);
    rangeLayout->addWidget(FromValue, 0, 1);
    rangeLayout->addWidget(new QLabel("To:", rangeBox), 1, 0);
    rangeLayout->addWidget(ToValue, 1, 1);
    rangeLayout->addWidget(OKRangeBtn, 1, 2);

    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(valueBox);
    layout->addWidget(rangeBox);
    layout->addLayout(buttons);

    connect(OKValueBtn, &QPushButton::clicked, this, &TEditFilterForm::OKValueBtnClick);
    connect(OKRangeBtn, &QPushButton::clicked, this, &TEditFilterForm::OKRangeBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TEditFilterForm::CancelBtnClick);
    FilterValue->lineEdit()->installEventFilter(this);
    FromValue->installEventFilter(this);
    ToValue->installEventFilter(this);
}

void TEditFilterForm::Setup(const std::vector<std::string>& values, const std::string& value,
                            const std::string& from, const std::string& to, bool dateMode) {
    FilterValue->clear();
    for (const std::string& v : values) FilterValue->addItem(ui::ToQ(v));
    FilterValue->setEditText(ui::ToQ(value));
    FromValue->setText(ui::ToQ(from));
    ToValue->setText(ui::ToQ(to));
    dateMode_ = dateMode;
    rangeResult_ = false;
}

std::string TEditFilterForm::Value() const {
    return rangeResult_ ? std::string() : ui::FromQ(FilterValue->currentText());
}
std::string TEditFilterForm::From() const {
    return rangeResult_ ? ui::FromQ(FromValue->text()) : std::string();
}
std::string TEditFilterForm::To() const {
    return rangeResult_ ? ui::FromQ(ToValue->text()) : std::string();
}

void TEditFilterForm::FormActivate() {
    // Dates come from the calendar only, so that they are always readable.
    FromValue->setReadOnly(dateMode_);
    ToValue->setReadOnly(dateMode_);
}

void TEditFilterForm::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

bool TEditFilterForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && dateMode_) {
        auto* box = qobject_cast<QWidget*>(watched);
        if (box == FilterValue->lineEdit()) box = FilterValue;
        EditClick(box, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TEditFilterForm::EditClick(QWidget* box, const QPoint& globalPos) {
    if (!dateMode_) return;
    QString text;
    if (box == FilterValue) text = FilterValue->currentText();
    else if (box == FromValue) text = FromValue->text();
    else if (box == ToValue) text = ToValue->text();
    else return;
    const YMD shown = YMDFromDay(DateValue(ui::FromQ(text)).value_or(Today()));
    auto picked = ui::platform().PickDate(globalPos + QPoint(10, 10),
                                          QDate(shown.year, shown.month, shown.day));
    if (!picked) return;
    const QString chosen =
        ui::ToQ(FormatDay(DayFromYMD(picked->year(), picked->month(), picked->day())));
    if (box == FilterValue) FilterValue->setEditText(chosen);
    else if (box == FromValue) FromValue->setText(chosen);
    else ToValue->setText(chosen);
}

void TEditFilterForm::OKValueBtnClick() {
    rangeResult_ = false;
    accept();
}

void TEditFilterForm::OKRangeBtnClick() {
    rangeResult_ = true;
    accept();
}

void TEditFilterForm::CancelBtnClick() { reject(); }

}  // namespace pellard
