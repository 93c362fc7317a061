#include "analyzer/screens/viewlogform.h"

#include "analyzer/exporttable.h"
#include "analyzer/readcheck.h"
#include "analyzer/screens/colorpanel.h"
#include "analyzer/screens/editfilterform.h"
#include "analyzer/screens/exporttable.h"
#include "analyzer/screens/fieldlist.h"
#include "analyzer/screens/finditem.h"
#include "analyzer/screens/graphform.h"
#include "analyzer/screens/gridmodel.h"
#include "analyzer/screens/printsettingsform.h"
#include "analyzer/screens/reportpage.h"
#include "analyzer/screens/selectfieldsform.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include <atomic>
#include <exception>
#include <memory>
#include <thread>

namespace pellard {

namespace {

QTableView* MakeTable(const QString& name, QAbstractItemModel* model, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    // Fixed row heights keep a million rows as quick as ten.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setDefaultSectionSize(110);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLabel* Caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

// Fills a report-page list with view columns, selecting the first if any.
void FillColumnList(QComboBox& box, const std::vector<ViewColumn>& columns) {
    box.clear();
    for (const ViewColumn& c : columns) box.addItem(ui::ToQ(c.name), c.column);
    box.setCurrentIndex(columns.empty() ? -1 : 0);
}

}  // namespace

TViewLogForm::TViewLogForm(QWidget* parent) : QWidget(parent), view_(base_), statTable_(64) {
    setObjectName("ViewLogForm");
    setWindowTitle("Analyze Log");
    setAttribute(Qt::WA_DeleteOnClose);

    ViewBook = new QTabWidget(this);
    ViewBook->setObjectName("ViewBook");
    ViewBook->addTab(BuildViewPage(), "View");
    ViewBook->addTab(BuildFilterPage(), "Filter");
    ViewBook->addTab(BuildSummaryPage(), "Data Summary");
    ViewBook->addTab(BuildReportPage(), "Report");
    ViewBook->setCurrentIndex(ReportPage);
    connect(ViewBook, &QTabWidget::currentChanged, this, &TViewLogForm::ViewBookChange);

    // What the file holds that cannot be read, until the user closes it.
    UnreadBar = new QFrame(this);
    UnreadBar->setObjectName("UnreadBar");
    UnreadBar->setFrameShape(QFrame::StyledPanel);
    UnreadBar->setAutoFillBackground(true);
    QPalette warn = UnreadBar->palette();
    warn.setColor(QPalette::Window, QColor(255, 243, 205));
    warn.setColor(QPalette::WindowText, Qt::black);
    UnreadBar->setPalette(warn);
    UnreadLabel = new QLabel(UnreadBar);
    UnreadLabel->setObjectName("UnreadText");
    UnreadLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* closeBar = new QToolButton(UnreadBar);
    closeBar->setObjectName("CloseUnreadBtn");
    closeBar->setText("Close");
    closeBar->setToolTip("Hide this message");
    auto* barLayout = new QHBoxLayout(UnreadBar);
    barLayout->addWidget(UnreadLabel, 1);
    barLayout->addWidget(closeBar, 0, Qt::AlignTop);
    UnreadBar->hide();
    connect(closeBar, &QToolButton::clicked, UnreadBar, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(UnreadBar);
    layout->addWidget(ViewBook);
    statTable_.SetSize(5, 1);
    resize(640, 480);
}

TViewLogForm::~TViewLogForm() = default;

QWidget* TViewLogForm::BuildViewPage() {
    auto* page = new QWidget;

    // Field panel: which fields show, in which order.
    auto* fieldPanel = new QGroupBox("Display Fields", page);
    SelectDisplayFields = new QListWidget(fieldPanel);
    SelectDisplayFields->setObjectName("SelectDisplayFields");
    SelectDisplayFields->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* moveUp = MakeButton("MoveUpBtn", "Move Up", fieldPanel);
    auto* moveDown = MakeButton("MoveDownBtn", "Move Down", fieldPanel);
    auto* fieldLayout = new QVBoxLayout(fieldPanel);
    fieldLayout->addWidget(SelectDisplayFields, 1);
    fieldLayout->addWidget(moveUp);
    fieldLayout->addWidget(moveDown);
    fieldPanel->setMaximumWidth(200);

    // Header panel: sort and count.
    SortBox = new QComboBox(page);
    SortBox->setObjectName("SortBox");
    SortBox->setMinimumWidth(160);
    SortBox->addItem("None");
    Total = new QLabel("0 of 0", page);
    Total->setObjectName("Total");
    auto* header = new QHBoxLayout;
    header->addStretch(1);
    header->addWidget(Caption("Sort By: ", page));
    header->addWidget(SortBox);
    header->addSpacing(24);
    header->addWidget(Caption("Total:", page));
    header->addWidget(Total);
    header->addStretch(1);

    logModel_ = new GridModel(
        {[this] { return view_.RowCount(); }, [this] { return std::max(1, view_.ColCount()); },
         [this](int c, int r) { return view_.Cell(c, r); },
         [this](int c, int r) { return LogGridCellColor(c, r); },
         [this] { return base_.Table().Utf8(); }},
        this);
    LogGrid = MakeTable("LogGrid", logModel_, page);

    // Control panel: colours, banding, refresh.
    viewColors_ = new ColorPanel({"HeaderColor", "PrimaryColor", "AlternateColor", "ColRows",
                                  "ColColumns", "Header", "Primary", "Alternate"},
                                 false, page);
    auto* refresh = MakeButton("RefreshDisplayBtn", "Refresh", page);
    auto* find = MakeButton("FindBtn", "Find", page);
    auto* exportView = MakeButton("ExportViewBtn", "Export", page);
    auto* printView = MakeButton("PrintViewBtn", "Print", page);
    auto* controls = new QHBoxLayout;
    controls->addStretch(1);
    for (auto* b : {refresh, find, exportView, printView}) controls->addWidget(b);
    controls->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addLayout(header);
    right->addWidget(LogGrid, 1);
    right->addWidget(viewColors_);
    right->addLayout(controls);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(fieldPanel);
    layout->addLayout(right, 1);

    connect(moveUp, &QPushButton::clicked, this, &TViewLogForm::MoveUpBtnClick);
    connect(moveDown, &QPushButton::clicked, this, &TViewLogForm::MoveDownBtnClick);
    connect(refresh, &QPushButton::clicked, this, [this] { ui::Guarded([&] { LoadLogGrid(); }); });
    connect(SortBox, &QComboBox::activated, this, [this] { SortBoxChange(); });
    connect(viewColors_, &ColorPanel::Changed, this, &TViewLogForm::Repaint);
    auto* finder = new ViewFinder(LogGrid, view_, this);
    connect(find, &QPushButton::clicked, finder, &ViewFinder::FindItemShow);
    connect(exportView, &QPushButton::clicked, this, [this] { ExportView(view_); });
    connect(printView, &QPushButton::clicked, this, [this, printView] {
        PrintButtonClick(
            printView, [this] { return ViewTable(view_); }, print_.view, "View");
    });
    return page;
}

QWidget* TViewLogForm::BuildFilterPage() {
    auto* page = new QWidget;
    filterModel_ =
        new GridModel({[this] { return filters_.RowCount(); }, [] { return 3; },
                       [this](int c, int r) { return filters_.Table().Cell(c, r); }, nullptr},
                      this);
    FilterGrid = MakeTable("FilterGrid", filterModel_, page);
    FilterGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    FilterGrid->setToolTip("Click a cell to choose the field, the type or the value of a filter");
    connect(FilterGrid, &QTableView::pressed, this, [this](const QModelIndex& index) {
        FilterGridMouseDown(index.column(), index.row() + 1, QCursor::pos());
    });

    auto* load = MakeButton("LoadFiltersBtn", "Load Filters", page);
    auto* save = MakeButton("SaveFiltersBtn", "Save Filters", page);
    auto* add = MakeButton("AddFilterBtn", "Add Filter", page);
    auto* print = MakeButton("PrintFiltersBtn", "Print", page);
    auto* clear = MakeButton("ClearFiltersBtn", "Clear All", page);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto* b : {load, save, add, print, clear}) buttons->addWidget(b);
    buttons->addStretch(1);
    auto* hint = new QLabel(
        "Click a Field cell to choose a field, a Type cell for Includes or Does Not Include, "
        "and a Value cell for the value: a text as the cells hold it, a range such as "
        "10 to 20, or > 10 and < 20 for one bound. Dates are written as the Date Format on "
        "the Report page shows. Filters on different fields must all hold; on one field, any.",
        page);
    hint->setObjectName("FilterHint");
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(hint);
    layout->addWidget(FilterGrid, 1);
    layout->addLayout(buttons);

    connect(load, &QPushButton::clicked, this, &TViewLogForm::LoadFiltersBtnClick);
    connect(save, &QPushButton::clicked, this, &TViewLogForm::SaveFiltersBtnClick);
    connect(add, &QPushButton::clicked, this, &TViewLogForm::AddFilterBtnClick);
    connect(clear, &QPushButton::clicked, this, &TViewLogForm::ClearFiltersBtnClick);
    connect(print, &QPushButton::clicked, this, [this, print] {
        PrintButtonClick(
            print, [this] { return filters_.Table(); }, print_.filters, "Filters");
    });
    return page;
}

QWidget* TViewLogForm::BuildSummaryPage() {
    auto* page = new QWidget;
    ReportTotal = new QLabel("0 of 0", page);
    ReportTotal->setObjectName("ReportTotal");
    auto* header = new QHBoxLayout;
    header->addStretch(1);
    header->addWidget(Caption("Total:", page));
    header->addWidget(ReportTotal);
    header->addStretch(1);

    statModel_ = new GridModel({[this] { return statTable_.RowCount(); }, [] { return 5; },
                                [this](int c, int r) { return statTable_.Cell(c, r); },
                                [this](int c, int r) { return StatGridCellColor(c, r); },
                                [this] { return base_.Table().Utf8(); }},
                               this);
    StatGridView = MakeTable("StatGrid", statModel_, page);

    AbsoluteValueStat = new QCheckBox("Absolute Values", page);
    AbsoluteValueStat->setObjectName("AbsoluteValueStat");
    auto* select = MakeButton("SelectFieldsBtn", "Select Fields", page);
    auto* exportTotals = MakeButton("ExportTotalsBtn", "Export", page);
    auto* print = MakeButton("PrintSummaryBtn", "Print", page);
    statColors_ = new ColorPanel(
        {"ReportHeaderColor", "ReportPrimaryColor", "ReportOtherColor", "RColRows", "RColColumns"},
        false, page);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(AbsoluteValueStat);
    buttons->addWidget(select);
    buttons->addWidget(exportTotals);
    buttons->addWidget(print);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(header);
    layout->addWidget(StatGridView, 1);
    layout->addWidget(statColors_);
    layout->addLayout(buttons);

    connect(AbsoluteValueStat, &QCheckBox::clicked, this, [this] { CalculateStats(); });
    connect(select, &QPushButton::clicked, this, &TViewLogForm::SelectFieldsBtnClick);
    connect(exportTotals, &QPushButton::clicked, this, [this] { ExportTable(statTable_); });
    connect(print, &QPushButton::clicked, this, [this, print] {
        PrintButtonClick(
            print, [this] { return statTable_; }, print_.statistics, "Data Summary");
    });
    connect(statColors_, &ColorPanel::Changed, this, &TViewLogForm::Repaint);
    return page;
}

QWidget* TViewLogForm::BuildReportPage() {
    auto* page = new QWidget;
    UseDateField = new QComboBox(page);
    UseDateField->setObjectName("UseDateField");
    UseDateField->setMinimumWidth(140);
    UseAddressField = new QComboBox(page);
    UseAddressField->setObjectName("UseAddressField");
    UseAddressField->setMinimumWidth(140);
    auto* fields = new QHBoxLayout;
    fields->addWidget(Caption("Date Field:", page));
    fields->addWidget(UseDateField);
    fields->addSpacing(12);
    fields->addWidget(Caption("Address Field", page));
    fields->addWidget(UseAddressField);
    // The order of the dates, as found in the file; the user may change it.
    DateFormatBox = new QComboBox(page);
    DateFormatBox->setObjectName("DateFormatBox");
    for (DateOrder o : {DateOrder::MonthDayYear, DateOrder::DayMonthYear, DateOrder::YearMonthDay})
        DateFormatBox->addItem(ui::ToQ(DateFormatText(o)), static_cast<int>(o));
    DateFormatBox->setToolTip("How the dates of this file are written");
    fields->addSpacing(12);
    fields->addWidget(Caption("Date Format:", page));
    fields->addWidget(DateFormatBox);
    fields->addStretch(1);
    connect(DateFormatBox, &QComboBox::activated, this, [this] {
        SetDateFormat(static_cast<DateOrder>(DateFormatBox->currentData().toInt()));
    });
    auto columnOf = [](const QComboBox* box) -> std::optional<int> {
        if (box->currentIndex() < 0) return std::nullopt;
        return box->currentData().toInt();
    };
    reportPage_ = new TReportPage(
        {[this]() -> const LogView& { return view_; }, [this] { return reportFields_; },
         [this, columnOf] { return columnOf(UseDateField); },
         [this, columnOf] { return columnOf(UseAddressField); }, [this] { SelectFieldsBtnClick(); },
         [this] { return base_.Table().Utf8(); }},
        page);
    connect(reportPage_, &TReportPage::ColorsChanged, this, &TViewLogForm::Repaint);
    // The page owns its buttons; what they act on lives here.
    connect(reportPage_, &TReportPage::GraphClicked, this,
            [this] { GraphReportBtnClick(reportPage_->ReportTable(), EnclosingArea(this)); });
    connect(reportPage_, &TReportPage::ExportClicked, this,
            [this] { ExportTable(reportPage_->ReportTable()); });
    connect(reportPage_, &TReportPage::PrintClicked, this, [this](QWidget* button) {
        PrintButtonClick(
            button, [this] { return reportPage_->ReportTable(); }, print_.report, "Report");
    });
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addWidget(reportPage_, 1);
    return page;
}

// ---- loading ----

TViewLogForm::LoadResult TViewLogForm::LoadFile(const QString& path, bool quiet,
                                                std::optional<DateOrder> dates) {
    // The reader works on its own table in a worker thread; the window keeps
    // handling events and the user may cancel. A cancelled read finishes in
    // the background up to its next block and is thrown away.
    struct Job {
        LogTable table;
        std::exception_ptr error;
        std::atomic<bool> done{false};
        std::atomic<bool> cancel{false};
    };
    auto job = std::make_shared<Job>();
    std::thread([job, file = ui::PathFromQ(path)] {
        try {
            job->table.Load(file, {}, &job->cancel);
        } catch (...) {
            job->error = std::current_exception();
        }
        job->done.store(true);
    }).detach();

    QPointer<TViewLogForm> self(this);
    {
        auto progress =
            ui::platform().StartProgress("Opening " + QFileInfo(path).fileName() + "...", 0);
        qint64 step = 0;
        while (!job->done.load()) {
            if (!progress->Step(step++)) {
                job->cancel.store(true);  // the reader stops at its next block
                return LoadResult::Cancelled;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (!self) return LoadResult::Cancelled;
            if (!job->done.load()) QThread::msleep(10);
        }
    }
    if (job->error) {
        try {
            std::rethrow_exception(job->error);
        } catch (const std::exception& e) {
            if (!quiet) ui::ShowError(e);
        }
        return LoadResult::Failed;
    }
    LoadTable(std::move(job->table), dates);
    return LoadResult::Loaded;
}

void TViewLogForm::LoadTable(LogTable&& table, std::optional<DateOrder> dates) {
    base_.SetTable(std::move(table));
    // The dates' order: given (the store's files), or found in the file.
    const int dateField = base_.FirstDateField();
    if (dates) {
        base_.SetDateFormat(*dates);
    } else if (dateField >= 0) {
        base_.SetDateFormat(DetectDateOrder(base_.TransactionCount(),
                                            [&](int i) { return base_.Cell(dateField, i + 1); }));
    }
    SetDateFormat(base_.DateFormat());
    SetupLogGrid();
    LoadLogGrid();
    SetupStatistics();
    ShowUnreadValues();
}

void TViewLogForm::SetDateFormat(DateOrder order) {
    base_.SetDateFormat(order);
    SetProgramDateFormat(order);
    DateFormatBox->setCurrentIndex(DateFormatBox->findData(static_cast<int>(order)));
}

void TViewLogForm::ShowUnreadValues() {
    std::vector<int> numberFields;
    for (const FieldEntry& e : reportFields_)
        if (e.checked) numberFields.push_back(e.field);
    const std::optional<int> dateColumn =
        UseDateField->currentIndex() < 0 ? std::nullopt
                                         : std::optional<int>(UseDateField->currentData().toInt());
    const int dateField = dateColumn ? view_.Field(*dateColumn) : -1;
    QStringList lines;
    for (const UnreadValues& u : UnreadableValues(base_, numberFields, dateField))
        lines << (base_.Table().Utf8() ? QString::fromStdString(pellard::UnreadText(u))
                                       : ui::ToQ(pellard::UnreadText(u)));
    UnreadLabel->setText(lines.join("\n"));
    UnreadBar->setVisible(!lines.isEmpty());
}

void TViewLogForm::SetupLogGrid() {
    sortNames_.clear();
    const QSignalBlocker block(SortBox);
    SortBox->clear();
    SortBox->addItem("None");
    for (int c = 0; c < base_.FieldCount(); ++c) {
        sortNames_.emplace_back(base_.Name(c));
        SortBox->addItem(ui::ToQ(base_.Name(c)), c);
    }
    SortBox->setCurrentIndex(0);
    FillFieldList(*SelectDisplayFields, FieldEntries(base_, true));
}

void TViewLogForm::LoadLogGrid() {
    const FilterSet filters(filters_, base_);
    view_.Refresh(ReadFieldList(*SelectDisplayFields), &filters);
    Total->setText(ui::ToQ(view_.TotalText()));
    fieldMenu_ = FieldMenu(base_);
    FillColumnList(*UseDateField, view_.DateColumns());
    FillColumnList(*UseAddressField, view_.AddressColumns());
    SortBoxChange();
    reportPage_->SetTotal(view_.TotalText());
    reportPage_->LoadAvailableReports();
}

void TViewLogForm::SortBoxChange() {
    view_.SortByField(SortField(sortNames_, ui::FromQ(SortBox->currentText())));
    logModel_->Reload();
}

void TViewLogForm::MoveUpBtnClick() { MoveFieldListEntry(*SelectDisplayFields, true); }
void TViewLogForm::MoveDownBtnClick() { MoveFieldListEntry(*SelectDisplayFields, false); }

// ---- colours ----

void TViewLogForm::ColorClick(ColorBox* box) {
    if (auto* panel = qobject_cast<ColorPanel*>(box->parentWidget())) panel->ChooseColor(box);
}

// Any colour or banding change repaints every table of the window.
void TViewLogForm::Repaint() {
    logModel_->Repaint();
    statModel_->Repaint();
    reportPage_->Repaint();
}

QColor TViewLogForm::LogGridCellColor(int col, int row) const {
    if (row == 0) return viewColors_->Header();
    return viewColors_->Band(viewColors_->BandOf(col, row));
}

QColor TViewLogForm::StatGridCellColor(int col, int row) const {
    if (row == 0 || col == 0) return statColors_->Header();
    return statColors_->Band(statColors_->BandOf(col, row));
}

// ---- pages ----

void TViewLogForm::ViewBookChange(int index) {
    ui::Guarded([&] {
        if (index == ViewPage) {
            LoadLogGrid();
        } else if (index == SummaryPage) {
            LoadLogGrid();
            CalculateStats();
        } else if (index == ReportPage) {
            reportPage_->LoadAvailableReports();
        }
    });
}

void TViewLogForm::FormActivate() {
    SetProgramDateFormat(base_.DateFormat());
    reportPage_->LoadAvailableReports();
    reportPage_->ResetCustomReport();
}

// ---- filters ----

void TViewLogForm::ReloadFilterGrid() { filterModel_->Reload(); }

void TViewLogForm::FilterGridMouseDown(int col, int row, const QPoint& globalPos) {
    if (row < 1 || row >= filters_.RowCount()) return;
    if (col == 0) {
        std::vector<ui::MenuEntry> entries;
        for (const FieldMenuEntry& e : fieldMenu_) entries.push_back({ui::ToQ(e.caption), true});
        const int chosen = ui::platform().PopupMenu(globalPos, entries);
        if (chosen < 0 || chosen >= static_cast<int>(fieldMenu_.size())) return;
        filters_.SetFieldChoice(row, fieldMenu_[static_cast<std::size_t>(chosen)]);
        ReloadFilterGrid();
    } else if (col == 1) {
        const std::vector<ui::MenuEntry> entries{{ui::ToQ(kIncludes), true},
                                                 {ui::ToQ(kDoesNotInclude), true}};
        const int chosen = ui::platform().PopupMenu(globalPos, entries);
        if (chosen < 0 || chosen > 1) return;
        filters_.SetType(row, chosen == 0 ? kIncludes : kDoesNotInclude);
        ReloadFilterGrid();
    } else if (col == 2) {
        GetValue(row);
    }
}

void TViewLogForm::GetValue(int row) {
    if (row < 1 || row >= filters_.RowCount() || filters_.Name(row).empty()) return;
    const int field = filters_.Field(row);
    std::vector<std::string> values;
    if (field >= 0) values = DistinctValues(base_, field);
    Range range;
    std::string value;
    if (!ExtractRange(filters_.Value(row), range)) value = std::string(filters_.Value(row));
    TEditFilterForm dialog(this);
    dialog.Setup(values, value, range.from, range.to, field >= 0 && base_.IsDateField(field));
    if (ui::platform().ShowModal(dialog) != QDialog::Accepted) return;
    std::string cell;
    if (EditedFilterValue(dialog.Value(), dialog.From(), dialog.To(), cell)) {
        filters_.SetValue(row, cell);
        ReloadFilterGrid();
    }
}

void TViewLogForm::AddFilterBtnClick() {
    if (filters_.AddFilter()) ReloadFilterGrid();
}

void TViewLogForm::ClearFiltersBtnClick() {
    filters_.ClearAll();
    ReloadFilterGrid();
    ui::Guarded([&] { LoadLogGrid(); });
}

namespace {
ui::FileDialogSpec FilterFileDialog(const QString& title) {
    return {title, "Filter File (*.fil)", "fil", {}, {}};
}
}  // namespace

void TViewLogForm::SaveFiltersBtnClick() {
    auto name = ui::platform().SaveFileName(FilterFileDialog("Save Filters"));
    if (!name) return;
    ui::Guarded([&] {
        filters_.Save(ui::PathFromQ(*name));
        ui::platform().ShowMessage(brenvik::MsgKind::Information, "Filter file saved.",
                                   brenvik::MsgButtons::Ok);
    });
}

void TViewLogForm::LoadFiltersBtnClick() {
    auto name = ui::platform().OpenFileName(FilterFileDialog("Load Filters"));
    if (!name) return;
    ui::Guarded([&] {
        filters_.Load(ui::PathFromQ(*name), fieldMenu_);
        ReloadFilterGrid();
        LoadLogGrid();
    });
}

// ---- statistics ----

void TViewLogForm::SetupStatistics() {
    reportFields_ = DefaultStatisticsFields(base_);
    CalculateStats();
}

void TViewLogForm::CalculateStats() {
    statTable_ =
        StatTable(pellard::CalculateStats(view_, reportFields_, AbsoluteValueStat->isChecked()));
    statModel_->Reload();
    ReportTotal->setText(ui::ToQ(view_.TotalText()));
}

void TViewLogForm::SelectFieldsBtnClick() {
    TSelectFieldsForm dialog(this);
    dialog.SetFields(reportFields_);
    if (ui::platform().ShowModal(dialog) != QDialog::Accepted) return;
    reportFields_ = dialog.Fields();
    CalculateStats();
}

}  // namespace pellard
