#include "store/reports/screens/TQuickReportForm.h"

#include "store/inventory/screens/StringTableModel.h"
#include "store/inventory/screens/TEditDateRangeForm.h"
#include "store/inventory/screens/TEditNumericRangeForm.h"
#include "store/inventory/store.h"
#include "store/reports/export.h"
#include "store/reports/screens/fieldlist.h"
#include "store/reports/screens/handoff.h"
#include "store/reports/screens/reportpages.h"
#include "ui/platform.h"
#include "ui/previewwidget.h"
#include "ui/printerselect.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace brenvik {

namespace {

constexpr const char* kPositions[] = {"None", "Left", "Center", "Right"};

QDoubleSpinBox* InchBox(QWidget* parent, const QString& name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0.1, 2.5);
    box->setSingleStep(0.1);
    box->setDecimals(1);
    box->setValue(0.5);
    box->setSuffix(" in");
    return box;
}

QComboBox* ChoiceBox(QWidget* parent, const QString& name, const QStringList& entries) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(entries);
    return box;
}

// The range dialog on a criterion; its summary (empty when cleared or
// cancelled) becomes the criterion's text.
ReportCriterion AskRange(RangeForm& range, const ReportCriterion& c) {
    range.From = c.from;
    range.To = c.to;
    ui::platform().ShowModal(range);
    return {range.Summary, range.From, range.To};
}

QStringList PositionNames() {
    QStringList names;
    for (const char* p : kPositions) names << p;
    return names;
}

}  // namespace

TQuickReportForm::TQuickReportForm(std::string dataFolder, QWidget* parent)
    : QDialog(parent), dataFolder_(std::move(dataFolder)) {
    setObjectName("QuickReportForm");
    setWindowTitle("Generate Quick Report");
    resize(820, 620);
    for (BandControls* band : {&header_, &footer_}) band->fonts.fill(font());

    book_ = new QTabWidget(this);
    book_->setObjectName("TabbedNotebook1");
    book_->addTab(BuildFieldsPage(), "Select Fields");
    book_->addTab(BuildDataPage(), "Select Data");
    book_->addTab(BuildHeaderFooterPage(), "Header and Footer");
    book_->addTab(BuildPreviewPage(), "Print Preview");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(book_);
    layout->addLayout(
        ui::ButtonRow(this, {{"OKButton", "OK", [this] { OKButtonClick(); }},
                             {"AnalyzeBtn", "Analyze", [this] { AnalyzeBtnClick(); }}}));
    connect(book_, &QTabWidget::currentChanged, this, &TQuickReportForm::TabbedNotebook1Change);
}

// The views read tables the dialog owns; they are hidden while those live.
TQuickReportForm::~TQuickReportForm() { hide(); }

QWidget* TQuickReportForm::BuildFieldsPage() {
    const FieldChoicePage fields = BuildFieldChoicePage(book_);
    fieldList_ = fields.list;
    connect(fields.up, &QPushButton::clicked, this, &TQuickReportForm::MoveUpBtnClick);
    connect(fields.down, &QPushButton::clicked, this, &TQuickReportForm::MoveDownBtnClick);
    // The report's columns follow the check marks at once.
    connect(fieldList_, &QListWidget::itemChanged, this, [this] {
        if (activated_) LoadPreviewGrid();
    });
    return fields.page;
}

QWidget* TQuickReportForm::BuildDataPage() {
    auto* page = new QWidget(book_);
    const std::pair<const char*, const char*> modes[] = {
        {"AllRecords", "All Records"},
        {"CheckedRecords", "Checked Record"},
        {"QuickSearchRecords", "Quick Search Records"}};
    auto* modeRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        modes_[std::size_t(i)] = new QRadioButton(modes[i].second, page);
        modes_[std::size_t(i)]->setObjectName(modes[i].first);
        modeRow->addWidget(modes_[std::size_t(i)]);
        connect(modes_[std::size_t(i)], &QRadioButton::clicked, this,
                [this, i] { ModesClick(RecordMode(i)); });
    }
    modeRow->addStretch();
    modes_[0]->setChecked(true);

    selectModel_ = new QStandardItemModel(0, 2, this);
    selectModel_->setHorizontalHeaderLabels({"Field", "Criterion"});
    selectGrid_ = new QTableView(page);
    selectGrid_->setObjectName("SelectGrid");
    selectGrid_->setModel(selectModel_);
    selectGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    selectGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    selectGrid_->verticalHeader()->hide();
    selectGrid_->horizontalHeader()->setStretchLastSection(true);
    selectGrid_->setToolTip("Click a criterion to enter it; Enter does the same.");
    selectGrid_->installEventFilter(this);
    connect(selectGrid_, &QTableView::pressed, this,
            [this](const QModelIndex& i) { SelectGridMouseDown(i.row(), i.column()); });

    previewModel_ = new StringTableModel(previewGrid_, this);
    previewView_ = new QTableView(page);
    previewView_->setObjectName("PreviewGrid");
    previewView_->setModel(previewModel_);
    previewView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewView_->verticalHeader()->setDefaultSectionSize(previewView_->fontMetrics().height() + 4);

    auto* grids = new QHBoxLayout;
    grids->addWidget(selectGrid_, 1);
    grids->addWidget(previewView_, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(modeRow);
    layout->addLayout(grids, 1);
    return page;
}

QWidget* TQuickReportForm::BuildBand(const QString& prefix, const QString& title,
                                     BandControls& band) {
    auto* box = new QGroupBox(title);
    band.visible = ChoiceBox(box, prefix + "Visible", {"No", "Yes"});
    band.line = new QCheckBox("Show Line", box);
    band.line->setObjectName("Show" + prefix + "Line");
    band.height = InchBox(box, prefix + "Height");
    const char* sides[] = {"Left", "Center", "Right"};
    auto* form = new QFormLayout(box);
    form->addRow("Visible", band.visible);
    form->addRow("", band.line);
    form->addRow("Height", band.height);
    for (int i = 0; i < 3; ++i) {
        band.texts[std::size_t(i)] = new QLineEdit(box);
        band.texts[std::size_t(i)]->setObjectName(prefix + sides[i]);
        form->addRow(QString(sides[i]) + " Text", band.texts[std::size_t(i)]);
    }
    band.pageNumber = ChoiceBox(box, prefix + "PageNumber", PositionNames());
    band.date = ChoiceBox(box, prefix + "Date", PositionNames());
    form->addRow("Page Number", band.pageNumber);
    form->addRow("Date", band.date);
    QPushButton* fontBtn =
        ui::NamedButton(box, (prefix + "FontBtn").toLatin1().constData(), prefix + " Font");
    form->addRow("", fontBtn);
    BandControls* target = &band;
    connect(fontBtn, &QPushButton::clicked, this, [this, target] { PopCaptionMenu(*target); });
    return box;
}

QWidget* TQuickReportForm::BuildHeaderFooterPage() {
    auto* page = new QWidget(book_);
    auto* marginBox = new QGroupBox("Margins", page);
    auto* marginForm = new QFormLayout(marginBox);
    const char* names[] = {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"};
    const char* labels[] = {"Left", "Right", "Top", "Bottom"};
    for (int i = 0; i < 4; ++i) {
        margins_[std::size_t(i)] = InchBox(marginBox, names[i]);
        marginForm->addRow(labels[i], margins_[std::size_t(i)]);
    }
    // The report font stays the main window's font.
    QPushButton* reportFont = ui::NamedButton(marginBox, "ReportFontBtn", "Report Font");
    reportFont->hide();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(marginBox, 0, Qt::AlignTop);
    layout->addWidget(BuildBand("Header", "Header", header_), 1, Qt::AlignTop);
    layout->addWidget(BuildBand("Footer", "Footer", footer_), 1, Qt::AlignTop);
    return page;
}

QWidget* TQuickReportForm::BuildPreviewPage() {
    auto* page = new QWidget(book_);
    preview_ = new ui::PreviewWidget(page);
    preview_->setObjectName("QuickPreview");
    // The page label below says where the preview stands, also after the
    // navigator's buttons.
    if (auto* own = preview_->findChild<QLabel*>("PageLabel")) own->hide();
    for (const char* name : {"FirstPageBtn", "PriorPageBtn", "NextPageBtn", "LastPageBtn"})
        if (auto* nav = preview_->findChild<QAbstractButton*>(name))
            connect(nav, &QAbstractButton::clicked, this, &TQuickReportForm::UpdatePageLabel);
    pageLabel_ = new QLabel(page);
    pageLabel_->setObjectName("PageLabel");
    printerBox_ = new ui::PrinterComboBox(page);
    printerBox_->setObjectName("PrinterBox");
    paperBox_ = new ui::PaperComboBox(page);
    paperBox_->setObjectName("PaperBox");
    paperBox_->FillFor(printerBox_->Printer(), QPageSize(QPageSize::Letter));
    orientation_ = ChoiceBox(page, "Orientation", {"Portrait", "Landscape"});
    connect(printerBox_, &ui::PrinterComboBox::PrinterChosen, this,
            [this](const QString& name) { paperBox_->FillFor(name, paperBox_->Paper()); });
    auto relayout = [this] {
        if (preview_->Document().PageCount() > 0) PreviewBtnClick();
    };
    connect(paperBox_, &ui::PaperComboBox::PaperChosen, this, relayout);
    connect(orientation_, &QComboBox::currentIndexChanged, this, relayout);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel("Printer", page));
    controls->addWidget(printerBox_, 1);
    controls->addWidget(new QLabel("Paper", page));
    controls->addWidget(paperBox_, 1);
    controls->addWidget(orientation_);
    auto* buttons = new QHBoxLayout;
    QPushButton* generate = ui::NamedButton(page, "PreviewBtn", "Generate");
    QPushButton* print = ui::NamedButton(page, "PrintBtn", "Print");
    QPushButton* setup = ui::NamedButton(page, "PrinterSetupBtn", "Printer Setup");
    buttons->addWidget(generate);
    buttons->addWidget(print);
    buttons->addWidget(setup);
    buttons->addStretch();
    buttons->addWidget(pageLabel_);
    connect(generate, &QPushButton::clicked, this, &TQuickReportForm::PreviewBtnClick);
    connect(print, &QPushButton::clicked, this, &TQuickReportForm::PrintBtnClick);
    connect(setup, &QPushButton::clicked, this, &TQuickReportForm::PrinterSetupBtnClick);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(controls);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    return page;
}

void TQuickReportForm::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

bool TQuickReportForm::eventFilter(QObject* watched, QEvent* event) {
    // The keyboard reaches the criteria as the mouse does.
    if (watched == selectGrid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            const QModelIndex i = selectGrid_->currentIndex();
            if (i.isValid()) SelectGridMouseDown(i.row(), 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TQuickReportForm::FormActivate() {
    if (activated_) return;
    criteria_.assign(std::size_t(kReportCriterionSlots), ReportCriterion{});
    const StringTable& t = Source.table;
    selectModel_->setRowCount(0);
    fieldList_->clear();
    for (int c = 0; c < t.ColCount(); ++c) {
        auto* heading = new QStandardItem(ui::ToQ(t.Cell(c, 0)));
        heading->setBackground(palette().window());
        selectModel_->appendRow({heading, new QStandardItem(QString())});
    }
    FillFieldList(*fieldList_, t);
    activated_ = true;
    LoadReportRows();
}

void TQuickReportForm::LoadReportRows() {
    FormActivate();
    displayGrid_ = BuildDisplayGrid(Source, mode_, criteria_, Today);
    LoadPreviewGrid();
}

void TQuickReportForm::LoadPreviewGrid() {
    previewGrid_ = BuildExportGrid(displayGrid_, CheckedFieldColumns(*fieldList_));
    previewModel_->Refresh();
}

void TQuickReportForm::ModesClick(RecordMode mode) {
    mode_ = mode;
    modes_[std::size_t(int(mode))]->setChecked(true);
    LoadReportRows();
}

void TQuickReportForm::MoveUpBtnClick() {
    MoveFieldEntry(*fieldList_, -1);
    LoadPreviewGrid();
}

void TQuickReportForm::MoveDownBtnClick() {
    MoveFieldEntry(*fieldList_, 1);
    LoadPreviewGrid();
}

void TQuickReportForm::SelectGridMouseDown(int row, int column) {
    if (column != 1 || row < 0 || row >= selectModel_->rowCount() || row >= kReportCriterionSlots)
        return;
    ui::Guarded([&] {
        ReportCriterion& c = criteria_[std::size_t(row)];
        const int code = Source.Code(row);
        switch (CriterionEntryFor(code)) {
        case CriterionEntry::DateRange: {
            TEditDateRangeForm range(this);
            c = AskRange(range, c);
            break;
        }
        case CriterionEntry::EnterValue: {
            const std::string value =
                ui::FromQ(ui::platform().AskText("Enter Value", "Enter Value", ui::ToQ(c.text)));
            c = {value, value, value};
            break;
        }
        case CriterionEntry::NumericRange: {
            TEditNumericRangeForm range(this);
            c = AskRange(range, c);
            break;
        }
        }
        selectModel_->item(row, 1)->setText(ui::ToQ(c.text));
        ModesClick(RecordMode::QuickSearchRecords);
    });
}

void TQuickReportForm::TabbedNotebook1Change(int page) {
    if (page == 1) {
        LoadReportRows();
    } else if (page == 3) {
        LoadReportRows();
        PreviewBtnClick();
    }
}

void TQuickReportForm::SetBand(ui::Band& band, const BandControls& controls) const {
    band.visible = controls.visible->currentText() == "Yes";
    if (!band.visible) return;
    band.rule = controls.line->isChecked();
    band.height = controls.height->value();
    std::array<std::string, 3> texts;
    for (std::size_t i = 0; i < 3; ++i) texts[i] = ui::FromQ(controls.texts[i]->text());
    const std::array<std::string, 3> captions =
        ComposeBandCaptions(texts, BandPosition(controls.pageNumber->currentIndex()),
                            BandPosition(controls.date->currentIndex()), FormatDate(Today));
    ui::BandCaption* captionsOut[] = {&band.left, &band.center, &band.right};
    for (std::size_t i = 0; i < 3; ++i) {
        captionsOut[i]->text = ui::ToQ(captions[i]);
        captionsOut[i]->font = controls.fonts[i];
    }
}

void TQuickReportForm::ComposePages(ui::PageDocument& doc) const {
    ui::PageSetup& setup = doc.Setup();
    setup.paper = paperBox_->Paper();
    setup.orientation =
        orientation_->currentIndex() == 1 ? QPageLayout::Landscape : QPageLayout::Portrait;
    setup.left = margins_[0]->value();
    setup.right = margins_[1]->value();
    setup.top = margins_[2]->value();
    setup.bottom = margins_[3]->value();
    setup.header = {};
    setup.footer = {};
    SetBand(setup.header, header_);
    SetBand(setup.footer, footer_);
    doc.NewPage();
    AddReportTable(doc, previewGrid_);
}

void TQuickReportForm::PreviewBtnClick() {
    FormActivate();
    preview_->SetComposer([this](ui::PageDocument& doc) { ComposePages(doc); });
    UpdatePageLabel();
}

void TQuickReportForm::UpdatePageLabel() {
    pageLabel_->setText(QString::number(preview_->CurrentPage() + 1) + " of " +
                        QString::number(preview_->Document().PageCount()));
}

QPrinter& TQuickReportForm::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The printer chosen on the page, as it is now.
    if (!printerBox_->Printer().isEmpty() && printer_->printerName() != printerBox_->Printer())
        printer_->setPrinterName(printerBox_->Printer());
    return *printer_;
}

void TQuickReportForm::PrintBtnClick() {
    ui::Guarded([&] {
        if (preview_->Document().PageCount() == 0) PreviewBtnClick();
        QPrinter& printer = Printer();
        printer.setFromTo(1, preview_->Document().PageCount());
        if (!ui::platform().PrintDialog(printer)) return;
        ui::PrintDocument(printer, preview_->Document(), "Quick Report");
    });
}

void TQuickReportForm::PrinterSetupBtnClick() {
    ui::Guarded([&] {
        QPrinter& printer = Printer();
        if (!ui::platform().PrinterSetup(printer)) return;
        // The paper and orientation chosen there become the preview's.
        const QPageLayout layout = printer.pageLayout();
        paperBox_->SelectPaper(layout.pageSize());
        orientation_->setCurrentIndex(layout.orientation() == QPageLayout::Landscape ? 1 : 0);
        if (preview_->Document().PageCount() > 0) PreviewBtnClick();
    });
}

void TQuickReportForm::PopCaptionMenu(BandControls& band) {
    const int chosen = ui::platform().PopupMenu(QCursor::pos(), {{"Left"}, {"Center"}, {"Right"}});
    if (chosen >= 0) ChooseCaptionFont(band, chosen);
}

void TQuickReportForm::ChooseCaptionFont(BandControls& band, int caption) {
    if (caption < 0 || caption > 2) return;
    QFont& font = band.fonts[std::size_t(caption)];
    if (std::optional<QFont> chosen = ui::platform().ChooseFont(font)) font = *chosen;
}

void TQuickReportForm::HeaderFontBtnClick() { PopCaptionMenu(header_); }
void TQuickReportForm::FooterFontBtnClick() { PopCaptionMenu(footer_); }
void TQuickReportForm::HeaderFontClick(int caption) { ChooseCaptionFont(header_, caption); }
void TQuickReportForm::FooterFontClick(int caption) { ChooseCaptionFont(footer_, caption); }

void TQuickReportForm::AnalyzeBtnClick() {
    ui::Guarded([&] {
        // The report as the choices on every page now stand.
        LoadReportRows();
        HandOffToAnalyzer(previewGrid_, dataFolder_, kReportTempFile);
    });
}

void TQuickReportForm::OKButtonClick() { accept(); }

namespace {
void ShowReport(ReportSource source, const std::string& folder, QWidget* parent) {
    TQuickReportForm form(folder, parent);
    form.Source = std::move(source);
    ui::platform().ShowModal(form);
}
}  // namespace

void OpenInventoryReport(Store& store, const std::function<bool(int item)>& checked,
                         QWidget* parent) {
    ShowReport(InventoryReportSource(store, checked), store.Folder(), parent);
}

void OpenCustomerReport(Store& store, QWidget* parent) {
    ShowReport(HeadingTypedSource(store.CustomerData), store.Folder(), parent);
}

void OpenTableReport(const StringTable& table, const std::string& dataFolder, QWidget* parent) {
    ShowReport(HeadingTypedSource(table), dataFolder, parent);
}

}  // namespace brenvik
