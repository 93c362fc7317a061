#include "store/labels/screens/TBarCodeForm.h"

#include "store/core/fields.h"
#include "store/core/money.h"
#include "store/inventory/screens/InventoryHost.h"
#include "store/inventory/store.h"
#include "store/labels/labelsheets.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#if __has_include("store/labels/screens/TRTFForm.h")
#include "store/labels/screens/TRTFForm.h"
#define BRENVIK_LABEL_WINDOW 1
#endif

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace brenvik {

QImage BarcodePicture(const BarcodeResult& result) {
    QImage image(kBarcodeWidth, kBarcodeHeight, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    const std::vector<bool> pixels = RasterizeBarcode(result);
    for (int y = 0; y < kBarcodeHeight; ++y)
        for (int x = 0; x < kBarcodeWidth; ++x)
            if (pixels[static_cast<std::size_t>(y * kBarcodeWidth + x)]) image.setPixel(x, y, 1);
    return image;
}

TBarCodeForm::TBarCodeForm(int item, std::string initialValue,
                           std::vector<std::string> otherBarCodes, QWidget* parent)
    : QDialog(parent),
      item_(item),
      initial_(std::move(initialValue)),
      others_(std::move(otherBarCodes)),
      picture_(BarcodePicture({})) {
    setObjectName("TBarCodeForm");
    setWindowTitle("Generate Barcode");

    auto* valueBox = new QGroupBox("Numeric Value", this);
    valueEdit_ = new QLineEdit(valueBox);
    valueEdit_->setObjectName("BarCodeValue");
    valueEdit_->setReadOnly(true);
    valueEdit_->installEventFilter(this);
    auto* enter = ui::NamedButton(valueBox, "BarCodeScanbtn", "Enter Barcode");
    connect(enter, &QPushButton::clicked, this, [this] { BarCodeScanbtnClick(); });
    auto* generate = ui::NamedButton(valueBox, "GenerateBarCodeBtn", "Generate");
    connect(generate, &QPushButton::clicked, this, [this] { GenerateBarCodeBtnClick(); });
    unique_ = new QCheckBox("Ensure Unique Barcode", valueBox);
    unique_->setObjectName("EnsureUnique");
    unique_->setChecked(true);
    auto* valueRow = new QHBoxLayout;
    valueRow->addWidget(valueEdit_, 1);
    valueRow->addWidget(enter);
    valueRow->addWidget(generate);
    auto* valueLayout = new QVBoxLayout(valueBox);
    valueLayout->addLayout(valueRow);
    valueLayout->addWidget(unique_);

    type_ = new QComboBox(this);
    type_->setObjectName("BarcodeType");
    type_->setEditable(true);
    for (const std::string& name : BarcodeSymbologies()) type_->addItem(ui::ToQ(name));
    checksum_ = new QComboBox(this);
    checksum_->setObjectName("Checksum");
    checksum_->addItems({"Yes", "No"});
    checksum_->setCurrentText("No");
    method_ = new QComboBox(this);
    method_->setObjectName("CheckSumMethod");
    method_->addItems({"csmModulo10", "None"});
    method_->setCurrentText("None");
    // A new choice redraws, so the picture never shows another symbology
    // than the one the label window prints.
    for (QComboBox* box : {type_, checksum_, method_})
        connect(box, &QComboBox::activated, this, [this] { DisplayBarcode(value_); });
    auto* settings = new QFormLayout;
    settings->addRow("Barcode Type", type_);
    settings->addRow("Checksum", checksum_);
    settings->addRow("Checksum method", method_);

    auto* imageBox = new QGroupBox("Image", this);
    image_ = new QLabel(imageBox);
    image_->setObjectName("BarCodeImage");
    image_->setFixedSize(kBarcodeWidth, kBarcodeHeight);
    image_->setPixmap(QPixmap::fromImage(picture_));
    auto* imageLayout = new QHBoxLayout(imageBox);
    imageLayout->addWidget(image_);

    auto* printBox = new QGroupBox("Print", this);
    templates_ = new QComboBox(printBox);
    templates_->setObjectName("SelectTemplateList");
    connect(templates_, &QComboBox::currentIndexChanged, this, [this] { LoadLabelInfo(); });
    column_ = new QSpinBox(printBox);
    column_->setObjectName("PrintColumn");
    row_ = new QSpinBox(printBox);
    row_->setObjectName("PrintRow");
    auto* print = ui::NamedButton(printBox, "PrintBarCodeBtn", "Print Barcode");
    connect(print, &QPushButton::clicked, this, [this] { PrintBarCodeBtnClick(); });
    auto* printLayout = new QFormLayout(printBox);
    printLayout->addRow("Label Type", templates_);
    printLayout->addRow("Print Column", column_);
    printLayout->addRow("Print Row", row_);
    printLayout->addRow(print);

    auto* ok = ui::NamedButton(this, "OKBtn", "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(valueBox);
    layout->addLayout(settings);
    layout->addWidget(imageBox);
    layout->addWidget(printBox);
    layout->addLayout(bottom);
}

std::string TBarCodeForm::Symbology() const { return ui::FromQ(type_->currentText()); }

bool TBarCodeForm::ChecksumOn() const {
    return checksum_->currentText() == "Yes" && method_->currentText() == "csmModulo10";
}

std::string TBarCodeForm::TemplateName() const { return ui::FromQ(templates_->currentText()); }
int TBarCodeForm::PrintColumn() const { return column_->value(); }
int TBarCodeForm::PrintColumnMax() const { return column_->maximum(); }
int TBarCodeForm::PrintRow() const { return row_->value(); }
int TBarCodeForm::PrintRowMax() const { return row_->maximum(); }

void TBarCodeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

bool TBarCodeForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == valueEdit_ && event->type() == QEvent::MouseButtonPress) {
        BarCodeValueClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TBarCodeForm::FormActivate() {
    SetValue(initial_);
    if (!value_.empty()) DisplayBarcode(value_);
    templates_->clear();
    for (const LabelSheetType& sheet : LabelSheetTypes())
        templates_->addItem(ui::ToQ(std::string(sheet.name)));
    templates_->setCurrentIndex(0);
    LoadLabelInfo();
    findChild<QPushButton*>("BarCodeScanbtn")->setFocus();
}

void TBarCodeForm::LoadLabelInfo() {
    const LabelSheetType& sheet = LabelSheetTypeOrFirst(TemplateName());
    column_->setRange(1, sheet.columns);
    row_->setRange(1, sheet.rows);
    column_->setValue(1);
    row_->setValue(1);
}

void TBarCodeForm::SetValue(const std::string& value) {
    value_ = value;
    valueEdit_->setText(ui::ToQ(value_));
}

void TBarCodeForm::BarCodeScanbtnClick() {
    SetValue(GetBarCode(ui::platform(), StripNonNumeric(value_), others_));
}

void TBarCodeForm::BarCodeValueClick() {
    BarCodeScanbtnClick();
    if (!value_.empty()) GenerateBarCodeBtnClick();
}

void TBarCodeForm::GenerateBarCodeBtnClick() {
    // The item's own bar code is no duplicate: only the other items count.
    if (unique_->isChecked() && !value_.empty() &&
        std::find(others_.begin(), others_.end(), value_) != others_.end()) {
        ui::platform().Message(MsgKind::Error,
                               "The barcode value you have entered is already in use.  Previous "
                               "barcode will be restored.",
                               MsgButtons::Ok);
        SetValue(initial_);
    }
    DisplayBarcode(value_);
}

void TBarCodeForm::DisplayBarcode(const std::string& value) {
    drawing_ = {};
    if (!value.empty()) drawing_ = EncodeBarcode(Symbology(), value, ChecksumOn());
    picture_ = BarcodePicture(drawing_);
    image_->setPixmap(QPixmap::fromImage(picture_));
    if (!drawing_.Ok()) ui::platform().Message(MsgKind::Error, drawing_.error, MsgButtons::Ok);
}

void TBarCodeForm::PrintBarCodeBtnClick() {
    if (value_.empty()) {
        ui::platform().Message(MsgKind::Error, "Pleae enter barcode value.", MsgButtons::Ok);
        return;
    }
    initial_ = value_;
    if (OpenLabelWindow) OpenLabelWindow(*this);
}

void TBarCodeForm::OKBtnClick() { accept(); }

namespace {

void OpenBarcodeLabelWindow([[maybe_unused]] Store& store, [[maybe_unused]] TBarCodeForm& form) {
#ifdef BRENVIK_LABEL_WINDOW
    // One window per dialog, closed with it; it reads the dialog each time
    // it becomes active.
    auto* window = form.findChild<TRTFForm*>();
    if (!window) {
        window = new TRTFForm(
            store.Data, store.Folder(), form.ItemIndex() + 1,
            [&form] {
                BarcodeLabelInput input;
                input.labelType = form.TemplateName();
                input.printColumn = form.PrintColumn();
                input.printRow = form.PrintRow();
                input.symbology = form.Symbology();
                input.value = form.InitialValue();
                input.checksum = form.ChecksumOn();
                return input;
            },
            &form);
    }
    window->setWindowTitle("Print Barcode");
    window->show();
    window->raise();
    window->activateWindow();
#endif
}

}  // namespace

std::optional<std::string> EditItemBarcode(InventoryHost& host, int item, QWidget* parent) {
    host.ListToGrid();
    Store& store = host.GetStore();
    const int column = GridField(store.Data, "bar code");
    const int row = item + 1;
    std::vector<std::string> others = store.BarCodes();
    if (item >= 0 && item < static_cast<int>(others.size())) others.erase(others.begin() + item);
    TBarCodeForm form(item, store.Data.CellText(column, row), std::move(others), parent);
    form.OpenLabelWindow = [&store](TBarCodeForm& f) { OpenBarcodeLabelWindow(store, f); };
    if (ui::platform().ShowModal(form) != QDialog::Accepted) return std::nullopt;
    store.Data.SetCell(column, row, form.Value());
    host.RefreshItem(item);
    host.ListToGrid();
    return form.Value();
}

}  // namespace brenvik
