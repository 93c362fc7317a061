#include "store/sales/screens/TPurgeForm.h"

#include "store/core/datetext.h"
#include "store/reports/screens/TExportForm.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QCursor>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brenvik {

using brenvik::MsgAnswer;
using brenvik::MsgButtons;
using brenvik::MsgKind;

namespace {

// Kept as two lines; shown as one flowing text.
const char* const kWarning[] = {
    "<B>Warning: </B>Purged items will be removed from the database.  If you would like to save "
    "purged items, use the export funtion before ",
    "you exit."};

}  // namespace

TPurgeForm::TPurgeForm(brenvik::StringTable& invoices, int dateColumn, std::string dataFolder,
                       QWidget* parent)
    : QDialog(parent),
      invoices_(invoices),
      dateColumn_(dateColumn),
      dataFolder_(std::move(dataFolder)) {
    setObjectName("TPurgeForm");
    setWindowTitle("Purge Invoice History");

    everything_ = new QRadioButton("Purge everything", this);
    everything_->setObjectName("PurgeEverything");
    everything_->setChecked(true);
    dateRange_ = new QRadioButton("Purge in date range", this);
    dateRange_->setObjectName("PurgeDateRange");
    fromDate_ = new QLineEdit(this);
    fromDate_->setObjectName("FromDate");
    toDate_ = new QLineEdit(this);
    toDate_->setObjectName("ToDate");
    for (QLineEdit* e : {fromDate_, toDate_}) {
        e->setPlaceholderText("YYYY/MM/DD");
        e->installEventFilter(this);
        // While a date is being typed the count follows quietly; a bound
        // that is not a date is reported when the user leaves the box.
        connect(e, &QLineEdit::textChanged, this, [this] { SelectPurge(false); });
        connect(e, &QLineEdit::editingFinished, this, [this] { SelectPurge(true); });
    }
    connect(everything_, &QRadioButton::clicked, this, [this] { SelectPurge(); });
    connect(dateRange_, &QRadioButton::clicked, this, [this] { SelectPurge(); });

    count_ = new QLabel("0", this);
    count_->setObjectName("PurgeCount");
    passedOver_ = new QLabel(this);
    passedOver_->setObjectName("PassedOver");
    passedOver_->setWordWrap(true);
    passedOver_->hide();

    auto* warning =
        new QLabel(QString::fromLatin1(kWarning[0]) + QString::fromLatin1(kWarning[1]), this);
    warning->setObjectName("WarningLabel");
    warning->setTextFormat(Qt::RichText);
    warning->setWordWrap(true);

    auto* exportBtn = ui::NamedButton(this, "ExportBtn", "Export");
    auto* ok = ui::NamedButton(this, "OKBtn", "OK");
    auto* cancel = ui::NamedButton(this, "CancelBtn", "Cancel");
    connect(exportBtn, &QPushButton::clicked, this, &TPurgeForm::ExportBtnClick);
    connect(ok, &QPushButton::clicked, this, &TPurgeForm::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    QFormLayout* dates =
        ui::FieldRows({{"From Date", fromDate_}, {"To Date", toDate_}, {"Purge Count", count_}});
    QHBoxLayout* buttons = ui::SpreadRow({exportBtn}, {ok, cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(everything_);
    layout->addWidget(dateRange_);
    layout->addLayout(dates);
    layout->addWidget(passedOver_);
    layout->addWidget(warning);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());
}

void TPurgeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TPurgeForm::FormActivate() {
    if (everything_->isChecked()) SelectPurge();
}

bool TPurgeForm::SelectPurge(bool report) {
    if (selecting_) return true;
    selecting_ = true;
    const QString today = ui::ToQ(brenvik::FormatDate(brenvik::Today()));
    if (fromDate_->text().isEmpty()) fromDate_->setText(today);
    if (toDate_->text().isEmpty()) toDate_->setText(today);
    selecting_ = false;

    if (everything_->isChecked()) {
        selection_ = brenvik::SelectEverything(invoices_);
    } else {
        std::optional<brenvik::Date> bounds[2];
        QLineEdit* fields[2] = {fromDate_, toDate_};
        for (int i = 0; i < 2; ++i) {
            const std::string text = ui::FromQ(fields[i]->text());
            bounds[i] = brenvik::ParseDate(text);
            if (!bounds[i]) {
                if (report)
                    ui::platform().Message(MsgKind::Error, brenvik::NotAValidDateMessage(text),
                                           MsgButtons::Ok);
                return false;
            }
        }
        selection_ = brenvik::SelectDateRange(invoices_, dateColumn_, *bounds[0], *bounds[1]);
    }
    purgeGrid_ = brenvik::PurgeGridOf(invoices_, selection_.rows);
    count_->setText(QString::number(selection_.rows.size()));
    if (selection_.unreadable > 0) {
        passedOver_->setText(
            QString("%1 record(s) without a readable date were passed over and will be kept.")
                .arg(selection_.unreadable));
        passedOver_->show();
    } else {
        passedOver_->hide();
    }
    return true;
}

bool TPurgeForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == fromDate_) FromDateClick();
        if (watched == toDate_) ToDateClick();
    }
    return QDialog::eventFilter(watched, event);
}

void TPurgeForm::FromDateClick() { DateClick(fromDate_); }
void TPurgeForm::ToDateClick() { DateClick(toDate_); }

void TPurgeForm::DateClick(QLineEdit* field) {
    const std::string text = ui::FromQ(field->text());
    brenvik::Date initial = brenvik::Today();
    if (!text.empty()) {
        const auto date = brenvik::ParseDate(text);
        if (!date) {
            ui::platform().Message(MsgKind::Error, brenvik::NotAValidDateMessage(text),
                                   MsgButtons::Ok);
            return;
        }
        initial = *date;
    }
    const auto chosen = ui::platform().PickDate(QCursor::pos() + QPoint(10, 10),
                                                QDate(initial.year, initial.month, initial.day));
    if (!chosen) return;
    field->setText(ui::ToQ(brenvik::FormatDate({chosen->year(), chosen->month(), chosen->day()})));
    SelectPurge();
}

void TPurgeForm::ExportBtnClick() {
    ExportTable(brenvik::PurgeExportTable(invoices_, selection_.rows), dataFolder_, this);
}

void TPurgeForm::OKBtnClick() {
    if (!ui::platform().ConfirmDestructive(
            "Purged items will be removed from the database.  Are you sure you "
            "want to continue ?"))
        return;
    // The selection must be that of the table and bounds as they are now.
    if (!SelectPurge()) return;
    brenvik::PurgeInvoices(invoices_, selection_.rows);
    accept();
}

}  // namespace brenvik
