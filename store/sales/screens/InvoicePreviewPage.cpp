#include "store/sales/screens/InvoicePreviewPage.h"

#include "ui/fontconv.h"
#include "ui/pictureloader.h"
#include "ui/platform.h"
#include "ui/previewwidget.h"
#include "ui/printerselect.h"
#include "ui/richtext.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cstdlib>

namespace brenvik {

using namespace brenvik;

struct InvoiceArt {
    QFont font;
    QFont bold;
    QColor color;
    ui::RichDocument header;
    ui::RichDocument footer;
    QImage logo;  // null when there is none or it cannot be read
};

namespace {

constexpr double ScreenDpi = 96;  // stored font heights are pixels at this resolution
constexpr double TopMargin = 1;
constexpr double SideMargin = 0.5;
constexpr double HeaderBand = 2;

std::shared_ptr<InvoiceArt> MakeArt(const Settings& s) {
    auto art = std::make_shared<InvoiceArt>();
    // The font's own style is not used: cells are bold by their tag only.
    FontRecord plain = s.font;
    plain.style = 0;
    art->font = ui::ToQFont(plain);
    art->bold = art->font;
    art->bold.setBold(true);
    art->color = ui::ToQColor(s.font.color);
    if (!art->color.isValid()) art->color = Qt::black;
    if (!s.header.empty()) art->header = brenvik::ReadRtf(s.header);
    if (!s.footer.empty()) art->footer = brenvik::ReadRtf(s.footer);
    // A logo that is missing or unreadable is left out without a word.
    const QString path = ui::PathToQ(s.logo);
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        if (auto img = ui::LoadPicture(path)) art->logo = *img;
    }
    return art;
}

}  // namespace

QRectF InvoiceLogoBox(const QRectF& band) {
    return QRectF(QPointF(0.5, 0.5), QPointF(band.right() + 0.5, 2.5));
}

QRectF InvoiceLogoRect(const QRectF& band, QSize picture) {
    const QRectF box = InvoiceLogoBox(band);
    const LogoSize s = FitLogo(box.width(), box.height(), picture.width(), picture.height());
    return QRectF(box.topLeft(), QSizeF(s.width, s.height));
}

void PrintInvoiceDrawCell(ui::PageCanvas& c, const InvoiceArt& art, const InvoiceCell& cell,
                          const QRectF& rect) {
    QPainter& p = c.Painter();
    if (cell.tag == InvoiceHeaderTag) {
        ui::DrawRichText(p, art.header, c.Px(rect.topLeft()), art.color);
    } else if (cell.tag == InvoiceFooterTag) {
        ui::DrawRichText(p, art.footer, c.Px(rect.topLeft()), art.color);
    } else if (!cell.text.empty()) {
        c.Text(rect.topLeft(), ui::ToQ(cell.text), cell.tag == InvoiceBoldTag ? art.bold : art.font,
               art.color);
    }
}

void PreviewInvoiceDrawHeader(ui::PageCanvas& c, const InvoiceArt& art, const QRectF& band) {
    if (art.logo.isNull()) return;
    const QRectF r = InvoiceLogoRect(band, art.logo.size());
    if (r.width() <= 0 || r.height() <= 0) return;
    c.Picture(art.logo, r);
}

void ComposeInvoice(ui::PageDocument& doc, const InvoiceLayout& layout, const Settings& settings) {
    ui::PageSetup& setup = doc.Setup();
    setup.left = setup.right = setup.bottom = SideMargin;
    setup.top = TopMargin;
    setup.header = ui::Band{};
    setup.header.visible = true;
    setup.header.height = HeaderBand;
    setup.header.rule = true;
    setup.footer = ui::Band{};

    auto art = MakeArt(settings);
    auto rows = std::make_shared<InvoiceLayout>(layout);
    doc.SetHeaderDrawer(
        [art](ui::PageCanvas& c, const QRectF& band) { PreviewInvoiceDrawHeader(c, *art, band); });

    const double rowHeight = (std::abs(settings.font.height) + 2) / ScreenDpi;
    ui::TableFlow table;
    table.columnWeights.assign(InvoiceColumns, 1.0);
    table.rowCount = int(rows->size());
    table.rowHeight = [rowHeight](int) { return rowHeight; };
    table.drawCell = [art, rows](ui::PageCanvas& c, int col, int row, const QRectF& rect) {
        PrintInvoiceDrawCell(c, *art, (*rows)[std::size_t(row)].cells[std::size_t(col)], rect);
    };
    doc.AddTable(table);
}

// ---------------------------------------------------------------- the page

InvoicePreviewPage::InvoicePreviewPage(QWidget* parent) : QWidget(parent) {
    setObjectName("PreviewLastPage");
    auto* grid = new QGridLayout(this);
    preview_ = new ui::PreviewWidget(this);
    preview_->setObjectName("PreviewInvoice");
    printers_ = new ui::PrinterComboBox(this);
    printers_->setObjectName("GmPropertyComboBox1");
    papers_ = new ui::PaperComboBox(this);
    papers_->setObjectName("GmPropertyComboBox2");
    auto* setupBtn = ui::NamedButton(this, "BitBtn1", tr("Printer Setup"));
    auto* printBtn = ui::NamedButton(this, "PrintBtn", tr("Print"));

    auto* printerLabel = new QLabel(tr("Printer"), this);
    printerLabel->setBuddy(printers_);
    auto* paperLabel = new QLabel(tr("Paper"), this);
    paperLabel->setBuddy(papers_);
    grid->addWidget(printerLabel, 0, 0);
    grid->addWidget(printers_, 0, 1);
    grid->addWidget(paperLabel, 0, 2);
    grid->addWidget(papers_, 0, 3);
    grid->addWidget(setupBtn, 0, 4);
    grid->addWidget(printBtn, 0, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(preview_, 1, 0, 1, 6);

    if (!printers_->Printer().isEmpty()) printer_.setPrinterName(printers_->Printer());
    papers_->FillFor(printers_->Printer(), preview_->Document().Setup().paper);
    preview_->Document().Setup().paper = papers_->Paper();

    connect(printers_, &ui::PrinterComboBox::PrinterChosen, this, [this](const QString& name) {
        printer_.setPrinterName(name);
        papers_->FillFor(name, preview_->Document().Setup().paper);
        if (!papers_->Paper().isEquivalentTo(preview_->Document().Setup().paper))
            preview_->SetPaper(papers_->Paper());
    });
    connect(papers_, &ui::PaperComboBox::PaperChosen, this,
            [this](const QPageSize& size) { preview_->SetPaper(size); });
    connect(setupBtn, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { BitBtn1Click(); }); });
    connect(printBtn, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { PrintBtnClick(); }); });
}

InvoicePreviewPage::~InvoicePreviewPage() = default;

void InvoicePreviewPage::Show(const Settings& settings) {
    // The composer keeps its own copies, so a paper change lays the same
    // invoice out again.
    preview_->SetComposer([layout = layout_, settings](ui::PageDocument& doc) {
        ComposeInvoice(doc, layout, settings);
    });
}

void InvoicePreviewPage::CreateInvoice(const InvoiceInput& sale, const Settings& settings) {
    InvoiceInput in = sale;
    in.headerLines = brenvik::RtfLineCount(settings.header);
    in.footerLines = brenvik::RtfLineCount(settings.footer);
    layout_ = brenvik::GenerateInvoice(in);
    Show(settings);
}

void InvoicePreviewPage::GenerateRefund(const InvoiceInput& refund, const Settings& settings) {
    InvoiceInput in = refund;
    in.headerLines = brenvik::RtfLineCount(settings.header);
    in.footerLines = brenvik::RtfLineCount(settings.footer);
    layout_ = brenvik::GenerateRefund(in);
    Show(settings);
}

bool InvoicePreviewPage::Print(QString* error) {
    if (preview_->Document().PageCount() == 0) {
        if (error) *error = tr("There is no invoice to print.");
        return false;
    }
    return ui::PrintDocument(printer_, preview_->Document(), "Invoice", error);
}

bool InvoicePreviewPage::PrintCopies(int copies) {
    for (int i = 0; i < copies; ++i) {
        QString error;
        if (Print(&error)) continue;
        // The name the user chose: Qt forgets names of printers it cannot reach.
        QString name = printers_->Printer();
        if (name.isEmpty()) name = printer_.printerName();
        ui::platform().ShowMessage(
            brenvik::MsgKind::Error,
            tr("The invoice could not be printed on the printer \"%1\".\n%2\n\nCheck that the "
               "printer is installed, switched on and connected, or choose another printer on "
               "the \"Preview Last\" page, then press \"Print\" there.")
                .arg(name.isEmpty() ? tr("(none)") : name, error),
            brenvik::MsgButtons::Ok);
        return false;
    }
    return true;
}

void InvoicePreviewPage::PrintBtnClick() {
    if (!PrintCopies(1)) return;
    ui::platform().ShowMessage(brenvik::MsgKind::Information, tr("Invoice sent to the printer."),
                               brenvik::MsgButtons::Ok);
}

void InvoicePreviewPage::BitBtn1Click() {
    printer_.setPageSize(preview_->Document().Setup().paper);
    if (!ui::platform().PrinterSetup(printer_)) return;
    // The dialog may have chosen another printer or paper.
    const QString name = printer_.printerName();
    const int at = printers_->findText(name);
    if (at >= 0 && at != printers_->currentIndex()) printers_->setCurrentIndex(at);
    const QPageSize paper = printer_.pageLayout().pageSize();
    if (paper.isValid() && !paper.isEquivalentTo(preview_->Document().Setup().paper)) {
        papers_->SelectPaper(paper);
        preview_->SetPaper(paper);
    }
}

}  // namespace brenvik
