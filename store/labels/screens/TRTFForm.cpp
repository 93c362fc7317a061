#include "store/labels/screens/TRTFForm.h"

#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/labels/barcode.h"
#include "ui/fontconv.h"
#include "ui/platform.h"
#include "ui/previewwidget.h"
#include "ui/printerselect.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

namespace brenvik {

namespace {

// At most one barcode label window exists.
QPointer<TRTFForm> openWindow;

}  // namespace

std::vector<std::string> ItemLabelText(const StringTable& inventory, int row,
                                       const std::vector<LabelEntry>& entries) {
    return GenerateLabelText(entries, [&](int column) {
        if (row < 1 || row >= inventory.RowCount() || column >= inventory.ColCount())
            return std::string();
        return std::string(inventory.Cell(column, row));
    });
}

LabelPictureDrawer BarcodeDrawer(const BarcodeLabelInput& input) {
    if (input.value.empty()) return {};
    auto drawing = std::make_shared<const BarcodeResult>(
        EncodeBarcode(input.symbology, input.value, input.checksum));
    if (!drawing->Ok()) return {};
    // The encoder's bars as filled rectangles, scaled from the picture's
    // frame into the box: sharp at any printer resolution.
    return [drawing](ui::PageCanvas& canvas, const QRectF& box) {
        const double sx = box.width() / kBarcodeWidth, sy = box.height() / kBarcodeHeight;
        QPainter& p = canvas.Painter();
        for (const BarcodeBar& bar : drawing->bars) {
            const QRectF r(box.left() + bar.x * sx, box.top() + bar.y * sy, bar.width * sx,
                           bar.height * sy);
            p.fillRect(canvas.Px(r), Qt::black);
        }
    };
}

LabelRun BarcodeLabelRun(const BarcodeLabelInput& input, std::vector<std::string> lines,
                         const QFont& font, const QColor& color) {
    LabelRun run;
    run.type = &LabelSheetTypeOrFirst(input.labelType);
    run.start = StartPosition(*run.type, input.printColumn, input.printRow);
    run.texts = {std::move(lines)};
    run.font = font;
    run.color = color;
    run.wholeSheet = true;
    run.picture = BarcodeDrawer(input);
    run.pictureWidth = kBarcodeWidth;
    run.pictureHeight = kBarcodeHeight;
    run.offset = ReadLabelCalibration();
    return run;
}

LabelLayout LoadLabelSettings(const std::string& folder) {
    LabelLayout layout;
    std::string bytes;
    // Missing or damaged: what could be read, without a word.
    if (ReadWholeFile(folder + LabelSettingsFile, bytes))
        ReadLayout(bytes, layout, LayoutFile::LabelSettings);
    return layout;
}

TRTFForm::TRTFForm(const StringTable& inventory, std::string dataFolder, int row,
                   BarcodeLabelState state, QWidget* owner)
    : QWidget(owner, Qt::Window),
      inventory_(inventory),
      folder_(std::move(dataFolder)),
      row_(row),
      state_(std::move(state)) {
    setObjectName("RTFForm");
    setWindowTitle(tr("Print Barcode"));
    setAttribute(Qt::WA_DeleteOnClose);

    content_ = new LabelContentBox(tr("Text Line"), true, this);
    content_->setObjectName("TextLines");
    font_ = new LabelFontBox(this);

    book_ = new QTabWidget(this);
    book_->setObjectName("ImageBook");
    auto* editPage = new QWidget;
    auto* editLayout = new QVBoxLayout(editPage);
    editLayout->addWidget(content_, 1);
    editLayout->addWidget(font_);
    pages_ = new LabelPreviewPage;
    pages_->PageNumber().hide();
    book_->addTab(editPage, tr("Edit"));
    book_->addTab(pages_, tr("Preview"));

    QPushButton* print = ui::NamedButton(this, "BitBtn1", tr("Print"));
    QPushButton* setup = ui::NamedButton(this, "BitBtn2", tr("Printer Setup"));
    QPushButton* ok = ui::NamedButton(this, "OKButton", tr("OK"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(setup);
    bottom->addStretch();
    bottom->addWidget(print);
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(book_, 1);
    layout->addLayout(bottom);

    connect(book_, &QTabWidget::currentChanged, this,
            [this] { ui::Guarded([this] { ImageBookChange(); }); });
    connect(print, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { BitBtn1Click(); }); });
    connect(setup, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { BitBtn2Click(); }); });
    connect(ok, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(pages_, &LabelPreviewPage::PrinterChanged, this, [this] { SetLabelSetup(); });
    resize(760, 560);
    // The window reads the barcode dialog that opened it: it closes with it.
    if (auto* dialog = qobject_cast<QDialog*>(owner))
        connect(dialog, &QDialog::finished, this, &QWidget::close);
}

TRTFForm::~TRTFForm() {
    // Also when the window goes with its owner without a close event.
    SaveLabelInfo();
}

bool TRTFForm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) ui::Guarded([this] { FormActivate(); });
    return QWidget::event(e);
}

void TRTFForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Opening loads "labset.set" even where the desktop does not activate
    // the window at once.
    if (!opened_) ui::Guarded([this] { FormActivate(); });
}

void TRTFForm::closeEvent(QCloseEvent* e) {
    SaveLabelInfo();
    QWidget::closeEvent(e);
    // Closed windows are deleted later: the next "Print Barcode" makes a new one.
    if (openWindow == this) openWindow = nullptr;
}

void TRTFForm::FormActivate() {
    std::vector<std::string> headings;
    for (int c = 0; c < inventory_.ColCount(); ++c) headings.emplace_back(inventory_.Cell(c, 0));
    content_->SetMenu(LabelMenuEntries(headings));
    if (!opened_) {
        opened_ = true;
        LoadLabelInfo();
    }
    SetLabelSetup();
}

void TRTFForm::LoadLabelInfo() {
    const LabelLayout layout = LoadLabelSettings(folder_);
    font_->SetFont(layout.fontName, layout.fontSize, LabelColor(layout.color));
    content_->SetEntries(layout.entries);
}

void TRTFForm::SaveLabelInfo() {
    if (saved_ || !opened_) return;
    saved_ = true;
    LabelLayout layout;
    layout.fontName = font_->FontName();
    layout.fontSize = font_->SizeText();
    layout.color = ui::FromQColor(font_->Color());
    layout.entries = content_->Entries();
    const std::string path = folder_ + LabelSettingsFile;
    try {
        SaveLayout(path, layout, LayoutFile::LabelSettings, "Cannot create file " + path);
    } catch (const StoreError& e) {
        ui::Platform* p = ui::InstalledPlatform();
        if (p)
            p->ShowMessage(MsgKind::Error,
                           ui::ToQ(std::string(e.what()) +
                                   ".  The barcode label text and font were not saved."),
                           MsgButtons::Ok);
    }
}

LabelRun TRTFForm::CurrentRun() const {
    const BarcodeLabelInput input = state_ ? state_() : BarcodeLabelInput{};
    return BarcodeLabelRun(input, ItemLabelText(inventory_, row_, content_->Entries()),
                           font_->Font(), font_->Color());
}

void TRTFForm::SetLabelSetup() { pages_->Show(CurrentRun()); }

void TRTFForm::ImageBookChange() { SetLabelSetup(); }

void TRTFForm::BitBtn1Click() {
    SetLabelSetup();
    pages_->Print("Barcode label");
}

void TRTFForm::BitBtn2Click() {
    if (pages_->PrinterSetup()) SetLabelSetup();
}

void TRTFForm::OKButtonClick() { close(); }

TRTFForm& OpenBarcodeLabelWindow(QDialog& barcodeDialog, const StringTable& inventory,
                                 const std::string& dataFolder, int row, BarcodeLabelState state) {
    if (!openWindow) {
        openWindow = new TRTFForm(inventory, dataFolder, row, std::move(state), &barcodeDialog);
        openWindow->show();
    } else {
        openWindow->show();
        openWindow->raise();
        openWindow->activateWindow();
        openWindow->FormActivate();
    }
    return *openWindow;
}

}  // namespace brenvik
