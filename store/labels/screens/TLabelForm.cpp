#include "store/labels/screens/TLabelForm.h"

#include "store/core/error.h"
#include "store/core/safefile.h"
#include "ui/fontconv.h"
#include "ui/platform.h"
#include "ui/previewwidget.h"
#include "ui/printerselect.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brenvik {

TLabelForm::TLabelForm(const CustomerList& list, int selected, QWidget* parent)
    : QDialog(parent), list_(list), selected_(selected) {
    setObjectName("LabelForm");
    setWindowTitle(tr("Generate Labels"));
    setSizeGripEnabled(true);

    content_ = new LabelContentBox(tr("Label Content"), false, this);
    content_->setObjectName("LabelContent");
    content_->SetMenu(LabelMenuEntries(ListHeadings(list_)));

    // Font and label type.
    auto* setupBox = new QGroupBox(tr("Label Setup"), this);
    font_ = new LabelFontBox(setupBox);
    templates_ = new QComboBox(setupBox);
    templates_->setObjectName("SelectTemplateList");
    // Editable: a loaded label type name that is unknown here is kept as text.
    templates_->setEditable(true);
    templates_->setInsertPolicy(QComboBox::NoInsert);
    for (const LabelSheetType& t : LabelSheetTypes())
        templates_->addItem(QString::fromLatin1(t.name.data(), qsizetype(t.name.size())));
    column_ = new QSpinBox(setupBox);
    column_->setObjectName("PrintColumn");
    row_ = new QSpinBox(setupBox);
    row_->setObjectName("PrintRow");
    auto* setupForm = new QFormLayout;
    setupForm->addRow(tr("Label Type"), templates_);
    setupForm->addRow(tr("Start Column"), column_);
    setupForm->addRow(tr("Start Row"), row_);
    auto* setupLayout = new QVBoxLayout(setupBox);
    setupLayout->addWidget(font_);
    setupLayout->addLayout(setupForm);

    auto* recordBox = new QGroupBox(tr("Print"), this);
    current_ = new QRadioButton(tr("Selected Customer"), recordBox);
    current_->setObjectName("CurrentRecordBtn");
    all_ = new QRadioButton(tr("All Customers"), recordBox);
    all_->setObjectName("AllRecordsBtn");
    checked_ = new QRadioButton(tr("Checked Customers"), recordBox);
    checked_->setObjectName("SearchListRecordsBtn");
    current_->setChecked(true);
    auto* recordLayout = new QVBoxLayout(recordBox);
    for (QRadioButton* b : {current_, all_, checked_}) recordLayout->addWidget(b);

    // Preview: the label text on "Edit", the pages on "Preview".
    book_ = new QTabWidget(this);
    book_->setObjectName("ImageBook");
    labelPreview_ = new QPlainTextEdit;
    labelPreview_->setObjectName("LabelPreview");
    labelPreview_->setReadOnly(true);
    pages_ = new LabelPreviewPage;
    book_->addTab(labelPreview_, tr("Edit"));
    book_->addTab(pages_, tr("Preview"));
    auto* previewBox = new QGroupBox(tr("Preview"), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(book_);

    QPushButton* print = ui::NamedButton(this, "PrintBtn", tr("Print"));
    QPushButton* setupPrinter = ui::NamedButton(this, "BitBtn2", tr("Printer Setup"));
    QPushButton* calibrate = ui::NamedButton(this, "CalibrateBtn", tr("Calibrate Printer..."));
    QPushButton* save = ui::NamedButton(this, "SaveLabelsBtn", tr("Save"));
    QPushButton* load = ui::NamedButton(this, "LoadLabelsBtn", tr("Load"));
    QPushButton* ok = ui::NamedButton(this, "OKButton", tr("OK"));
    ok->setDefault(true);
    auto* bottom = new QHBoxLayout;
    for (QPushButton* b : {save, load, setupPrinter, calibrate}) bottom->addWidget(b);
    bottom->addStretch();
    bottom->addWidget(print);
    bottom->addWidget(ok);

    auto* left = new QVBoxLayout;
    left->addWidget(content_, 1);
    left->addWidget(setupBox);
    left->addWidget(recordBox);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(previewBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    auto guarded = [this](void (TLabelForm::*handler)()) {
        return [this, handler] { ui::Guarded([&] { (this->*handler)(); }); };
    };
    connect(content_, &LabelContentBox::Changed, this, [this] { RefreshLabelPreview(); });
    connect(font_, &LabelFontBox::Changed, this, [this] {
        if (!loading_) RefreshLabelPreview();
    });
    connect(templates_, &QComboBox::activated, this,
            guarded(&TLabelForm::SelectTemplateListChange));
    connect(book_, &QTabWidget::currentChanged, this, guarded(&TLabelForm::ImageBookChange));
    for (QSpinBox* s : {column_, row_})
        connect(s, &QSpinBox::valueChanged, this, [this] {
            if (!loading_) SetLabelSetup();
        });
    for (QRadioButton* b : {current_, all_, checked_})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !loading_) SetLabelSetup();
        });
    connect(pages_, &LabelPreviewPage::PrinterChanged, this, [this] { SetLabelSetup(); });
    connect(print, &QPushButton::clicked, this, guarded(&TLabelForm::PrintBtnClick));
    connect(setupPrinter, &QPushButton::clicked, this, guarded(&TLabelForm::BitBtn2Click));
    connect(calibrate, &QPushButton::clicked, this, guarded(&TLabelForm::CalibrateBtnClick));
    connect(save, &QPushButton::clicked, this, guarded(&TLabelForm::SaveLabelsBtnClick));
    connect(load, &QPushButton::clicked, this, guarded(&TLabelForm::LoadLabelsBtnClick));
    connect(ok, &QPushButton::clicked, this, guarded(&TLabelForm::OKButtonClick));

    resize(980, 640);
    FormActivate();
}

TLabelForm::~TLabelForm() = default;

void TLabelForm::FormActivate() {
    loading_ = true;
    templates_->setCurrentIndex(0);
    ApplyType(true);
    loading_ = false;
    RefreshLabelPreview();
    SetLabelSetup();
}

void TLabelForm::ApplyType(bool resetStart) {
    const LabelSheetType& type = LabelSheetTypeOrFirst(ui::FromQ(templates_->currentText()));
    const QSignalBlocker b1(column_), b2(row_);
    column_->setRange(1, type.columns);
    row_->setRange(1, type.rows);
    if (resetStart) {
        column_->setValue(1);
        row_->setValue(1);
    }
}

void TLabelForm::RefreshLabelPreview() {
    // The sample record: the column headings in place of values.
    const auto lines = GenerateLabelText(content_->Entries(), [this](int column) {
        return column < list_.ColumnCount() ? std::string(list_.Heading(column)) : std::string();
    });
    QStringList text;
    for (const std::string& l : lines) text << ui::ToQ(l);
    labelPreview_->setFont(font_->Font());
    QPalette pal = labelPreview_->palette();
    pal.setColor(QPalette::Text, font_->Color());
    labelPreview_->setPalette(pal);
    labelPreview_->setPlainText(text.join('\n'));
}

void TLabelForm::SelectTemplateListChange() {
    // A name typed that is no type selects the first type.
    if (!FindLabelSheetType(ui::FromQ(templates_->currentText()))) templates_->setCurrentIndex(0);
    ApplyType(true);
    SetLabelSetup();
}

void TLabelForm::ImageBookChange() { SetLabelSetup(); }

LabelRecordMode TLabelForm::Mode() const {
    if (all_->isChecked()) return LabelRecordMode::All;
    if (checked_->isChecked()) return LabelRecordMode::Checked;
    return LabelRecordMode::Selected;
}

LabelRun TLabelForm::CurrentRun() const {
    LabelRun run;
    run.type = &LabelSheetTypeOrFirst(ui::FromQ(templates_->currentText()));
    run.start = StartPosition(*run.type, column_->value(), row_->value());
    run.texts =
        CustomerLabelTexts(list_, LabelItems(list_, Mode(), selected_), content_->Entries());
    run.font = font_->Font();
    run.color = font_->Color();
    run.offset = ReadLabelCalibration();
    return run;
}

void TLabelForm::SetLabelSetup() {
    if (Mode() == LabelRecordMode::Selected && (selected_ < 0 || selected_ >= list_.ItemCount())) {
        const QSignalBlocker block(all_);
        all_->setChecked(true);
    }
    pages_->Show(CurrentRun());
}

void TLabelForm::PrintBtnClick() {
    SetLabelSetup();
    pages_->Print("Labels");
}

void TLabelForm::BitBtn2Click() {
    if (pages_->PrinterSetup()) SetLabelSetup();
}

LabelLayout TLabelForm::Layout() const {
    LabelLayout l;
    l.fontName = font_->FontName();
    l.fontSize = font_->SizeText();
    l.color = ui::FromQColor(font_->Color());
    l.typeName = ui::FromQ(templates_->currentText());
    l.entries = content_->Entries();
    return l;
}

void TLabelForm::SaveLabelsBtnClick() {
    ui::FileDialogSpec spec;
    spec.title = tr("Save Label Data");
    spec.filter = tr("Label Data (*.dld)");
    spec.defaultExt = "dld";
    const auto path = ui::platform().SaveFileName(spec);
    if (!path || path->isEmpty()) return;
    try {
        SaveLayout(ui::PathFromQ(*path), Layout(), LayoutFile::LabelData, LabelDataNotSaved);
    } catch (const StoreError&) {
        ui::platform().ShowMessage(MsgKind::Error, LabelDataNotSaved, MsgButtons::Ok);
        return;
    }
    ui::platform().ShowMessage(MsgKind::Information, LabelDataSaved, MsgButtons::Ok);
}

void TLabelForm::LoadLabelsBtnClick() {
    if (ui::platform().ShowMessage(MsgKind::Confirmation, LabelDataClearQuestion,
                                   MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    ui::FileDialogSpec spec;
    spec.title = tr("Load Label Data");
    spec.filter = tr("Label Data (*.dld)");
    const auto path = ui::platform().OpenFileName(spec);
    if (path && !path->isEmpty()) {
        LabelLayout layout = Layout();
        std::string bytes;
        const bool ok = ReadWholeFile(ui::PathFromQ(*path), bytes) &&
                        ReadLayout(bytes, layout, LayoutFile::LabelData);
        // What was read before a failure stays in effect.
        loading_ = true;
        font_->SetFont(layout.fontName, layout.fontSize, LabelColor(layout.color));
        templates_->setCurrentText(ui::ToQ(layout.typeName));
        content_->SetEntries(layout.entries);
        loading_ = false;
        if (!ok) ui::platform().ShowMessage(MsgKind::Information, LabelDataInvalid, MsgButtons::Ok);
        SetLabelSetup();
    }
    RefreshLabelPreview();
}

void TLabelForm::CalibrateBtnClick() {
    TLabelCalibrationForm form(LabelSheetTypeOrFirst(ui::FromQ(templates_->currentText())),
                               pages_->Printer(), this);
    if (ui::platform().ShowModal(form) == QDialog::Accepted) SetLabelSetup();
}

void TLabelForm::OKButtonClick() { accept(); }

// ---------------------------------------------------------------- calibration

TLabelCalibrationForm::TLabelCalibrationForm(const LabelSheetType& type, QPrinter& printer,
                                             QWidget* parent)
    : QDialog(parent), type_(type), printer_(printer) {
    setObjectName("LabelCalibrationForm");
    setWindowTitle(tr("Calibrate Printer"));
    const LabelCalibration now = ReadLabelCalibration();
    auto spin = [this](const char* name, Length value) {
        auto* s = new QDoubleSpinBox(this);
        s->setObjectName(name);
        s->setRange(-50, 50);
        s->setDecimals(1);
        s->setSingleStep(0.5);
        s->setSuffix(" mm");
        s->setValue(value.InMillimetres());
        return s;
    };
    right_ = spin("OffsetRight", now.right);
    down_ = spin("OffsetDown", now.down);
    auto* form = new QFormLayout;
    form->addRow(tr("Move printing right by"), right_);
    form->addRow(tr("Move printing down by"), down_);
    auto* help = new QLabel(tr("Print the test page on plain paper, lay it on a sheet of labels "
                               "and measure how far the outlines are off. Negative values move "
                               "the printing left or up."),
                            this);
    help->setWordWrap(true);
    QPushButton* test = ui::NamedButton(this, "PrintTestBtn", tr("Print Test Page"));
    connect(test, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { PrintTestBtnClick(); }); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addLayout(form);
    layout->addLayout(ui::OkCancelRow(*this, [this] { accept(); }, {test}));
}

LabelCalibration TLabelCalibrationForm::Calibration() const {
    return {Length::Millimetres(right_->value()), Length::Millimetres(down_->value())};
}

void TLabelCalibrationForm::PrintTestBtnClick() {
    ui::PageDocument doc;
    ComposeCalibrationPage(doc, type_, Calibration());
    if (!ui::platform().PrintDialog(printer_)) return;
    ui::PrintDocument(printer_, doc, "Label calibration");
}

void TLabelCalibrationForm::accept() {
    WriteLabelCalibration(Calibration());
    QDialog::accept();
}

void OpenLabelForm(const CustomerList& list, int selected, QWidget* parent) {
    TLabelForm form(list, selected, parent);
    ui::platform().ShowModal(form);
}

}  // namespace brenvik
