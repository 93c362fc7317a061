#include "analyzer/screens/printsettingsform.h"

#include "ui/pageengine.h"
#include "ui/platform.h"
#include "ui/previewwidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace pellard {

namespace {

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QCheckBox* Check(const char* name, const QString& caption, bool on, QWidget* parent) {
    auto* b = Named(new QCheckBox(caption, parent), name);
    b->setChecked(on);
    return b;
}

QLineEdit* Edit(const char* name, const QString& text, QWidget* parent) {
    return Named(new QLineEdit(text, parent), name);
}

QDoubleSpinBox* Millimetres(const char* name, double value, QWidget* parent) {
    auto* s = Named(new QDoubleSpinBox(parent), name);
    s->setRange(0, 100);
    s->setDecimals(1);
    s->setSingleStep(1);
    s->setSuffix(" mm");
    s->setValue(value);
    return s;
}

QString FontText(const QFont& f) {
    return f.family() + ", " + QString::number(f.pointSizeF()) + " pt";
}

const Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};

}  // namespace

TPrintSettingsForm::TPrintSettingsForm(const brenvik::StringTable& table,
                                       const TablePrintSettings& s, QWidget* parent)
    : QDialog(parent),
      table_(table),
      cellFont_(s.cellFont),
      titleFont_(s.titleFont),
      headerFont_(s.headerFont) {
    setObjectName("PrintSettingsForm");
    setWindowTitle("Print Settings");

    auto* borders = new QGroupBox("Borders", this);
    Borders = Check("Borders", "Print borders", s.borders, borders);
    BorderStyle = Named(new QComboBox(borders), "BorderStyle");
    BorderStyle->addItems({"Solid", "Dash", "Dot", "Dash Dot"});
    for (int i = 0; i < 4; ++i)
        if (kStyles[i] == s.borderStyle) BorderStyle->setCurrentIndex(i);
    auto* bl = new QFormLayout(borders);
    bl->addRow(Borders);
    bl->addRow("Style", BorderStyle);

    auto* general = new QGroupBox("General", this);
    Centered = Check("Centered", "Centre on page", s.centered, general);
    RepeatFixedRows =
        Check("RepeatFixedRows", "Repeat heading row on each page", s.repeatFixedRows, general);
    RepeatFixedCols =
        Check("RepeatFixedCols", "Repeat first column on each page", s.repeatFixedCols, general);
    FitToPage = Check("FitToPage", "Fit to page width", s.fitToPage, general);
    auto* gl = new QVBoxLayout(general);
    for (QWidget* w : {static_cast<QWidget*>(Centered), static_cast<QWidget*>(RepeatFixedRows),
                       static_cast<QWidget*>(RepeatFixedCols), static_cast<QWidget*>(FitToPage)})
        gl->addWidget(w);

    auto* fonts = new QGroupBox("Fonts", this);
    CellFontBtn = Named(new QPushButton(FontText(cellFont_), fonts), "CellFontBtn");
    TitleFontBtn = Named(new QPushButton(FontText(titleFont_), fonts), "TitleFontBtn");
    HeaderFontBtn = Named(new QPushButton(FontText(headerFont_), fonts), "HeaderFontBtn");
    auto* fl = new QFormLayout(fonts);
    fl->addRow("Cells", CellFontBtn);
    fl->addRow("Title", TitleFontBtn);
    fl->addRow("Header and footer", HeaderFontBtn);
    connect(CellFontBtn, &QPushButton::clicked, this,
            [this] { ChooseFont(cellFont_, CellFontBtn); });
    connect(TitleFontBtn, &QPushButton::clicked, this,
            [this] { ChooseFont(titleFont_, TitleFontBtn); });
    connect(HeaderFontBtn, &QPushButton::clicked, this,
            [this] { ChooseFont(headerFont_, HeaderFontBtn); });

    auto* dateTime = new QGroupBox("Date and Time", this);
    PrintDate = Check("PrintDate", "Print date", s.printDate, dateTime);
    PrintTime = Check("PrintTime", "Print time", s.printTime, dateTime);
    DateFormat = Edit("DateFormat", s.dateFormat, dateTime);
    auto* dl = new QFormLayout(dateTime);
    dl->addRow(PrintDate);
    dl->addRow(PrintTime);
    dl->addRow("Date format", DateFormat);

    auto* title = new QGroupBox("Title", this);
    PrintTitle = Check("PrintTitle", "Print title", s.printTitle, title);
    TitleText = Edit("TitleText", s.title, title);
    auto* tl = new QFormLayout(title);
    tl->addRow(PrintTitle);
    tl->addRow("Title", TitleText);

    auto* pages = new QGroupBox("Pages", this);
    PrintHeader = Check("PrintHeader", "Header", s.printHeader, pages);
    HeaderText = Edit("HeaderText", s.headerText, pages);
    PrintFooter = Check("PrintFooter", "Footer", s.printFooter, pages);
    FooterText = Edit("FooterText", s.footerText, pages);
    PageNumbers = Check("PageNumbers", "Page numbers", s.pageNumbers, pages);
    PageSeparator = Edit("PageSeparator", s.pageSeparator, pages);
    PageSeparator->setMaximumWidth(60);
    auto* pl = new QGridLayout(pages);
    pl->addWidget(PrintHeader, 0, 0);
    pl->addWidget(HeaderText, 0, 1);
    pl->addWidget(PrintFooter, 1, 0);
    pl->addWidget(FooterText, 1, 1);
    pl->addWidget(PageNumbers, 2, 0);
    auto* sep = new QHBoxLayout;
    sep->addWidget(new QLabel("Separator", pages));
    sep->addWidget(PageSeparator);
    sep->addStretch(1);
    pl->addLayout(sep, 2, 1);

    auto* margins = new QGroupBox("Margins", this);
    LeftMargin = Millimetres("LeftMargin", s.leftMargin, margins);
    TopMargin = Millimetres("TopMargin", s.topMargin, margins);
    RightMargin = Millimetres("RightMargin", s.rightMargin, margins);
    BottomMargin = Millimetres("BottomMargin", s.bottomMargin, margins);
    auto* ml = new QFormLayout(margins);
    ml->addRow("Left", LeftMargin);
    ml->addRow("Top", TopMargin);
    ml->addRow("Right", RightMargin);
    ml->addRow("Bottom", BottomMargin);

    auto* spacing = new QGroupBox("Spacing", this);
    ColSpacing = Millimetres("ColSpacing", s.colSpacing, spacing);
    RowSpacing = Millimetres("RowSpacing", s.rowSpacing, spacing);
    auto* sl = new QFormLayout(spacing);
    sl->addRow("Columns", ColSpacing);
    sl->addRow("Rows", RowSpacing);

    auto* orientation = new QGroupBox("Orientation", this);
    Portrait = Named(new QRadioButton("Portrait", orientation), "Portrait");
    Landscape = Named(new QRadioButton("Landscape", orientation), "Landscape");
    (s.orientation == QPageLayout::Landscape ? Landscape : Portrait)->setChecked(true);
    auto* ol = new QVBoxLayout(orientation);
    ol->addWidget(Portrait);
    ol->addWidget(Landscape);

    auto* preview = new QGroupBox("Preview", this);
    // The preview fits the page to its width; zooming makes it wider than
    // the box, which then scrolls.
    auto* zoomArea = new QScrollArea(preview);
    zoomArea->setObjectName("PreviewArea");
    zoomArea->setWidgetResizable(true);
    Preview = Named(new ui::PreviewWidget, "Preview");
    Preview->setMinimumSize(320, 420);
    Preview->SetPaper(QPrinter().pageLayout().pageSize());  // the default printer's paper
    zoomArea->setWidget(Preview);
    PreviewZoom = Named(new QComboBox(preview), "PreviewZoom");
    PreviewZoom->addItems({"Fit", "100%", "150%", "200%", "300%"});
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(new QLabel("Zoom:", preview));
    zoomRow->addWidget(PreviewZoom);
    zoomRow->addStretch(1);
    auto* vl = new QVBoxLayout(preview);
    vl->addLayout(zoomRow);
    vl->addWidget(zoomArea, 1);
    connect(PreviewZoom, &QComboBox::currentIndexChanged, this, [this, zoomArea](int i) {
        static const double factors[] = {0, 1, 1.5, 2, 3};
        const double f = factors[std::clamp(i, 0, 4)];
        zoomArea->setWidgetResizable(f == 0);
        if (f > 0) {
            const QSize box = zoomArea->viewport()->size();
            Preview->resize(static_cast<int>(std::max(box.width(), 320) * f),
                            static_cast<int>(std::max(box.height(), 420) * f));
        }
    });

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton("OK", QDialogButtonBox::AcceptRole), "OKBtn");
    Named(buttons->addButton("Cancel", QDialogButtonBox::RejectRole), "CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(borders, 0, 0);
    grid->addWidget(general, 0, 1);
    grid->addWidget(fonts, 1, 0);
    grid->addWidget(dateTime, 1, 1);
    grid->addWidget(title, 2, 0);
    grid->addWidget(orientation, 2, 1);
    grid->addWidget(pages, 3, 0, 1, 2);
    grid->addWidget(margins, 4, 0);
    grid->addWidget(spacing, 4, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addWidget(preview, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    // Every change shows in the preview at once.
    for (QCheckBox* b : findChildren<QCheckBox*>())
        connect(b, &QCheckBox::toggled, this, &TPrintSettingsForm::UpdatePreview);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textChanged, this, &TPrintSettingsForm::UpdatePreview);
    for (QDoubleSpinBox* d : findChildren<QDoubleSpinBox*>())
        connect(d, &QDoubleSpinBox::valueChanged, this, &TPrintSettingsForm::UpdatePreview);
    connect(BorderStyle, &QComboBox::currentIndexChanged, this, &TPrintSettingsForm::UpdatePreview);
    connect(Landscape, &QRadioButton::toggled, this, &TPrintSettingsForm::UpdatePreview);
    UpdatePreview();
}

TablePrintSettings TPrintSettingsForm::Settings() const {
    TablePrintSettings s;
    s.borders = Borders->isChecked();
    s.borderStyle = kStyles[std::max(0, BorderStyle->currentIndex())];
    s.centered = Centered->isChecked();
    s.repeatFixedRows = RepeatFixedRows->isChecked();
    s.repeatFixedCols = RepeatFixedCols->isChecked();
    s.fitToPage = FitToPage->isChecked();
    s.cellFont = cellFont_;
    s.titleFont = titleFont_;
    s.headerFont = headerFont_;
    s.printDate = PrintDate->isChecked();
    s.printTime = PrintTime->isChecked();
    s.dateFormat = DateFormat->text();
    s.printTitle = PrintTitle->isChecked();
    s.title = TitleText->text();
    s.printHeader = PrintHeader->isChecked();
    s.headerText = HeaderText->text();
    s.printFooter = PrintFooter->isChecked();
    s.footerText = FooterText->text();
    s.pageNumbers = PageNumbers->isChecked();
    s.pageSeparator = PageSeparator->text();
    s.leftMargin = LeftMargin->value();
    s.topMargin = TopMargin->value();
    s.rightMargin = RightMargin->value();
    s.bottomMargin = BottomMargin->value();
    s.colSpacing = ColSpacing->value();
    s.rowSpacing = RowSpacing->value();
    s.orientation = Landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return s;
}

void TPrintSettingsForm::ChooseFont(QFont& font, QPushButton* button) {
    if (auto chosen = ui::platform().ChooseFont(font)) {
        font = *chosen;
        button->setText(FontText(font));
        UpdatePreview();
    }
}

int TPrintSettingsForm::PreviewPageCount() const { return Preview->Document().PageCount(); }

void TPrintSettingsForm::UpdatePreview() {
    const int page = Preview->CurrentPage();
    Preview->SetComposer([this, settings = Settings()](ui::PageDocument& doc) {
        const QPageSize paper = doc.Setup().paper;
        doc = TableDocument(table_, settings, paper);
    });
    Preview->ShowPage(page);
}

bool PrintSettings1Click(const brenvik::StringTable& table, TablePrintSettings& settings) {
    TPrintSettingsForm form(table, settings);
    if (ui::platform().ShowModal(form) != QDialog::Accepted) return false;
    settings = form.Settings();
    return true;
}

bool Print1Click(const brenvik::StringTable& table, const TablePrintSettings& settings,
                 const QString& jobName) {
    QPrinter printer;
    printer.setPageOrientation(settings.orientation);
    if (!ui::platform().PrintDialog(printer)) return false;
    const ui::PageDocument doc = TableDocument(table, settings, printer.pageLayout().pageSize());
    return ui::PrintDocument(printer, doc, jobName);
}

void PrintButtonClick(QWidget* button, const std::function<brenvik::StringTable()>& table,
                      TablePrintSettings& settings, const QString& jobName) {
    const QPoint at =
        button ? button->mapToGlobal(QPoint(button->width() / 2, button->height())) : QPoint();
    const int chosen = ui::platform().PopupMenu(at, {{"Print Settings"}, {"Print"}});
    if (chosen == 0) PrintSettings1Click(table(), settings);
    else if (chosen == 1) Print1Click(table(), settings, jobName);
}

}  // namespace pellard
