#include "analyzer/screens/customreportform.h"

#include "analyzer/summaries.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellard {

TCustomReportForm::TCustomReportForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CustomReportForm");
    setWindowTitle("Custom Report");
    ReportField = new QComboBox(this);
    ReportField->setObjectName("ReportField");
    ReportField->setEditable(true);
    ReportField->setInsertPolicy(QComboBox::NoInsert);
    FieldValues = new QPlainTextEdit(this);
    FieldValues->setObjectName("FieldValues");
    FieldValues->setLineWrapMode(QPlainTextEdit::NoWrap);
    PartialMatchBtn = new QCheckBox("Partial Match", this);
    PartialMatchBtn->setObjectName("PartialMatchBtn");
    CaseSensitiveBtn = new QCheckBox("Case Sensitive", this);
    CaseSensitiveBtn->setObjectName("CaseSensitiveBtn");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKValueBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Field", this));
    layout->addWidget(ReportField);
    layout->addWidget(new QLabel("Field Values (enter one per line)", this));
    layout->addWidget(FieldValues, 1);
    layout->addWidget(PartialMatchBtn);
    layout->addWidget(CaseSensitiveBtn);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(320, 360);

    connect(ok, &QPushButton::clicked, this, &TCustomReportForm::OKValueBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TCustomReportForm::CancelBtnClick);
}

void TCustomReportForm::Load(const std::vector<std::string>& fieldNames,
                             const CustomReportSettings& settings) {
    ReportField->clear();
    for (const std::string& name : fieldNames) ReportField->addItem(ui::ToQ(name));
    ReportField->setCurrentIndex(-1);
    ReportField->setEditText(ui::ToQ(settings.fieldName));
    // Every line ends with a break, so that empty lines at the end come back.
    QString text;
    for (const std::string& v : settings.values) text += ui::ToQ(v) + '\n';
    FieldValues->setPlainText(text);
    PartialMatchBtn->setChecked(settings.partialMatch);
    CaseSensitiveBtn->setChecked(settings.caseSensitive);
}

CustomReportSettings TCustomReportForm::Settings() const {
    CustomReportSettings s;
    s.fieldName = ui::FromQ(ReportField->currentText());
    s.values = TextLines(ui::FromQ(FieldValues->toPlainText()));
    s.partialMatch = PartialMatchBtn->isChecked();
    s.caseSensitive = CaseSensitiveBtn->isChecked();
    return s;
}

void TCustomReportForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TCustomReportForm::FormActivate() { ok_ = false; }

void TCustomReportForm::OKValueBtnClick() {
    ok_ = true;
    accept();
}

void TCustomReportForm::CancelBtnClick() {
    ok_ = false;
    reject();
}

}  // namespace pellard
