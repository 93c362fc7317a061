#include "analyzer/screens/reportpage.h"

#include "analyzer/screens/colorpanel.h"
#include "analyzer/screens/customreportform.h"
#include "analyzer/screens/gridmodel.h"
#include "analyzer/summaries.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace pellard {

const QColor TReportPage::kHighColor(0, 128, 0);
const QColor TReportPage::kLowColor(255, 255, 0);

namespace {

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

TReportPage::TReportPage(Host host, QWidget* parent) : QWidget(parent), host_(std::move(host)) {
    setObjectName("ReportPanel");

    SelectReport = new QComboBox(this);
    SelectReport->setObjectName("SelectReport");
    SelectReport->setEditable(true);
    SelectReport->setInsertPolicy(QComboBox::NoInsert);
    SelectReport->setMinimumWidth(200);

    model_ =
        new GridModel({[this] { return table_.RowCount(); }, [this] { return table_.ColCount(); },
                       [this](int c, int r) { return table_.Cell(c, r); },
                       [this](int c, int r) { return ReportGridCellColor(c, r); },
                       [this] { return host_.utf8 && host_.utf8(); }},
                      this);
    ReportGrid = new QTableView(this);
    ReportGrid->setObjectName("ReportGrid");
    ReportGrid->setModel(model_);
    ReportGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ReportGrid->setWordWrap(false);
    // Fixed row heights keep a report of many days quick.
    ReportGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ReportGrid->verticalHeader()->setDefaultSectionSize(ReportGrid->fontMetrics().height() + 6);
    ReportGrid->verticalHeader()->hide();
    ReportGrid->horizontalHeader()->setDefaultSectionSize(110);

    RTotal = new QLabel("0 of 0", this);
    RTotal->setObjectName("RTotal");
    ReportABS = new QCheckBox("Absolute Values", this);
    ReportABS->setObjectName("ReportABS");

    auto* generate = Button("GenerateReportBtn", "Generate", this);
    // Graph, export and print act on the window's behalf.
    auto* graph = Button("GraphReportBtn", "Graph", this);
    auto* exportBtn = Button("Ex", "Export", this);
    auto* print = Button("PrintReportBtn", "Print", this);
    auto* selectFields = Button("BitBtn4", "Select Fields", this);

    // Control panel beside the table.
    auto* controls = new QVBoxLayout;
    controls->addWidget(new QLabel("Report Type::", this));
    controls->addWidget(SelectReport);
    for (QPushButton* b : {generate, graph, exportBtn, print, selectFields}) controls->addWidget(b);
    controls->addWidget(ReportABS);
    auto* total = new QHBoxLayout;
    total->addWidget(new QLabel("Total:", this));
    total->addWidget(RTotal, 1);
    controls->addLayout(total);
    auto* colours = new QGroupBox("Colors", this);
    colors_ = new ColorPanel({"RHeaderColor", "RPrimaryColor", "ROtherColor", "RRows", "RCols",
                              "Header ", "Primary", "Other"},
                             true, colours);
    (new QVBoxLayout(colours))->addWidget(colors_);
    controls->addWidget(colours);
    auto* side = new QVBoxLayout;
    side->addStretch(1);
    side->addLayout(controls);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ReportGrid, 1);
    layout->addLayout(side);

    connect(SelectReport, &QComboBox::activated, this, &TReportPage::SelectReportChange);
    connect(generate, &QPushButton::clicked, this, &TReportPage::GenerateReportBtnClick);
    connect(ReportABS, &QCheckBox::clicked, this, &TReportPage::ReportABSClick);
    connect(selectFields, &QPushButton::clicked, this, [this] {
        if (host_.selectFields) host_.selectFields();
    });
    connect(colors_, &ColorPanel::Changed, this, &TReportPage::RColorModeClick);
    connect(graph, &QPushButton::clicked, this, &TReportPage::GraphClicked);
    connect(exportBtn, &QPushButton::clicked, this, &TReportPage::ExportClicked);
    connect(print, &QPushButton::clicked, this, [this, print] { emit PrintClicked(print); });
}

void TReportPage::LoadAvailableReports() {
    std::vector<ReportEntry> entries = AvailableReports(host_.view());
    if (entries == entries_ && SelectReport->count() == static_cast<int>(entries.size())) return;
    entries_ = std::move(entries);
    const QSignalBlocker quiet(SelectReport);
    SelectReport->clear();
    for (const ReportEntry& e : entries_) SelectReport->addItem(ui::ToQ(e.text), e.kind);
    SelectReport->setCurrentIndex(-1);
    SelectReport->clearEditText();
}

int TReportPage::SelectedEntry() const {
    // Typing over a chosen entry leaves no entry selected.
    const int i = SelectReport->currentIndex();
    if (i < 0 || SelectReport->itemText(i) != SelectReport->currentText()) return -1;
    return i;
}

void TReportPage::SelectReportChange() {
    const int i = SelectedEntry();
    if (i < 0 || i >= static_cast<int>(entries_.size()) || entries_[i].kind != reportkind::Custom)
        return;
    std::vector<std::string> names;
    const LogView& view = host_.view();
    for (int c = 0; c < view.ColCount(); ++c) {
        const std::string_view name = view.Cell(c, 0);
        if (!name.empty() && name != " ") names.emplace_back(name);
    }
    TCustomReportForm dialog(window());
    dialog.Load(names, custom_);
    ui::platform().ShowModal(dialog);
    if (dialog.ClosedWithOK()) custom_ = dialog.Settings();
}

void TReportPage::GenerateReportBtnClick() {
    const LogView& view = host_.view();
    ReportInput in;
    in.view = &view;
    in.valueFields = host_.valueFields();
    in.absolute = ReportABS->isChecked();
    in.dateColumn = host_.dateColumn();
    in.addressColumn = host_.addressColumn ? host_.addressColumn() : std::nullopt;
    in.today = Today();
    const auto kind =
        ChosenReportKind(entries_, SelectedEntry(), ui::FromQ(SelectReport->currentText()));
    const ReportProblem problem = GenerateReport(kind, in, custom_, table_);
    if (problem != ReportProblem::None)
        ui::platform().ShowMessage(brenvik::MsgKind::Error, ReportProblemText(problem),
                                   brenvik::MsgButtons::Ok);
    // After a message too: the marks and the count are brought up to date.
    FindExtremes(table_, in.absolute);
    RTotal->setText(ui::ToQ(view.TotalText()));
    model_->Reload();
}

void TReportPage::ReportABSClick() {
    if (table_.ColCount() < 3 && table_.RowCount() < 3) return;  // no report yet
    GenerateReportBtnClick();
}

void TReportPage::SetTotal(const std::string& text) { RTotal->setText(ui::ToQ(text)); }

void TReportPage::ColorClick(ColorBox* box) { colors_->ChooseColor(box); }

void TReportPage::RColorModeClick() {
    model_->Repaint();
    emit ColorsChanged();
}

void TReportPage::Repaint() { model_->Repaint(); }

void TReportPage::SetBandByColumns(bool columns) {
    colors_->SetByColumns(columns);
    model_->Repaint();
}

QColor TReportPage::ReportGridCellColor(int col, int row) const {
    if (row == 0 || col == 0) return colors_->Header();
    switch (MarkOf(table_, col, row)) {
    case Mark::Low:
        return kLowColor;
    case Mark::High:
        return kHighColor;
    case Mark::None:
        break;
    }
    return colors_->Band(colors_->BandOf(col, row));
}

}  // namespace pellard
