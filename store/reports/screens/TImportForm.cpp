#include "store/reports/screens/TImportForm.h"

#include "store/inventory/screens/StringTableModel.h"
#include "store/inventory/store.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace brenvik {

namespace {

// The file grid; a title line that is not imported is shown greyed.
class ImportGridModel : public StringTableModel {
public:
    ImportGridModel(const StringTable& table, const QCheckBox& titles, QObject* parent)
        : StringTableModel(table, parent), titles_(titles) {}
    QVariant data(const QModelIndex& index, int role) const override {
        const bool titleLine = index.row() == 0 && titles_.isChecked();
        if (titleLine && role == Qt::ForegroundRole)
            return titles_.palette().color(QPalette::Disabled, QPalette::Text);
        if (titleLine && role == Qt::ToolTipRole) return QString("Column titles: not imported");
        return StringTableModel::data(index, role);
    }

private:
    const QCheckBox& titles_;
};

}  // namespace

TImportForm::TImportForm(StringTable& target, std::vector<HistoryList>* histories, QWidget* parent)
    : QDialog(parent), target_(target), histories_(histories) {
    setObjectName("ImportForm");
    setWindowTitle("Import Data");

    QPushButton* open = ui::NamedButton(this, "SelectImportFileBtn", "Open Import File");
    titlesBox_ = new QCheckBox("First line holds column titles", this);
    titlesBox_->setObjectName("TitlesBox");
    titlesBox_->setToolTip(
        "The first line is not imported, and columns titled like a field are assigned to it.");
    auto* top = new QHBoxLayout;
    top->addWidget(open);
    top->addWidget(titlesBox_);
    top->addStretch();

    ClearImportGrid();
    model_ = new ImportGridModel(file_.grid, *titlesBox_, this);
    grid_ = new QTableView(this);
    grid_->setObjectName("ImportGrid");
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setDefaultSectionSize(120);
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setToolTip("Click to assign a field to this column");
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TImportForm::HeaderClick);
    // From the keyboard: F4 opens the field menu of the current column.
    auto* assign = new QAction("Assign Field", grid_);
    assign->setShortcut(Qt::Key_F4);
    assign->setShortcutContext(Qt::WidgetShortcut);
    grid_->addAction(assign);
    connect(assign, &QAction::triggered, this,
            [this] { HeaderClick(std::max(0, grid_->currentIndex().column())); });

    auto* directions = new QLabel(this);
    directions->setObjectName("DirectionsLabel");
    directions->setTextFormat(Qt::RichText);
    directions->setText(
        "<b>Directions:</b><br><br>(1) Open import file<br>"
        "(2) Assign fields (click column headers above)<br>"
        "(3) Press \"Perform Import\" to add the records");
    status_ = new QLabel(this);
    status_->setObjectName("StatusLabel");
    status_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addWidget(directions);
    layout->addWidget(status_);
    layout->addLayout(ui::ButtonRow(
        this, {{"PerformImportBtn", "Perform Import", [this] { PerformImportBtnClick(); }},
               {"ClearImportBtn", "Clear", [this] { ClearImportBtnClick(); }},
               {"CloseImportDatabtn", "Close", [this] { CloseImportDatabtnClick(); }}}));
    performBtn_ = findChild<QPushButton*>("PerformImportBtn");
    performBtn_->setEnabled(false);
    resize(720, 480);

    connect(open, &QPushButton::clicked, this, &TImportForm::SelectImportFileBtnClick);
    connect(titlesBox_, &QCheckBox::toggled, this, &TImportForm::TitlesBoxClick);
}

void TImportForm::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TImportForm::HeaderClick(int col) {
    // The menu drops down from the column's heading.
    QHeaderView* header = grid_->horizontalHeader();
    const QPoint below(header->sectionViewportPosition(col), header->height());
    ImportGridClickCell(col, 0, header->viewport()->mapToGlobal(below));
}

QString TImportForm::StatusText() const { return status_->text(); }

bool TImportForm::SkipFirstLine() const { return titlesBox_->isChecked(); }

void TImportForm::FormActivate() {
    fieldMenu_.assign(1, kNotAssignedCaption);
    for (int k = 0; k < target_.ColCount(); ++k) fieldMenu_.emplace_back(target_.Cell(k, 0));
    fieldMenuEnabled_ = FieldMenuEnabled(assignment_, target_.ColCount());
    performBtn_->setEnabled(false);
}

void TImportForm::ClearImportGrid() {
    file_ = ImportFile();
    file_.grid.SetRowCount(1);
    assignment_.clear();
    loaded_ = false;
    menuColumn_ = -1;
}

void TImportForm::SelectImportFileBtnClick() {
    ui::FileDialogSpec spec;
    spec.title = "Open";
    spec.filter = "Comma Delimited File (*.csv);;Text File (*.txt)";
    const std::optional<QString> name = ui::platform().OpenFileName(spec);
    if (!name || name->isEmpty()) return;
    ImportFile file;
    try {
        file = ReadImportFile(ui::PathFromQ(*name));
    } catch (const std::exception& e) {
        ui::ShowError(e);
        return;
    }
    file_ = std::move(file);
    loaded_ = file_.Records() >= 1;
    assignment_.assign(loaded_ ? static_cast<std::size_t>(file_.Columns()) : 0, kNotAssigned);
    if (loaded_ && SkipFirstLine()) AssignByTitles(file_, target_, assignment_);
    AssignmentChanged();
    performBtn_->setEnabled(loaded_);
}

void TImportForm::AssignmentChanged() {
    if (loaded_) WriteAssignmentRow(file_, target_, assignment_);
    model_->Refresh();
    fieldMenuEnabled_ = FieldMenuEnabled(assignment_, target_.ColCount());
    status_->setText(loaded_ ? ui::ToQ(ImportStatusText(
                                   PlanImport(file_, assignment_, SkipFirstLine(), target_)))
                             : QString());
}

void TImportForm::ImportGridClickCell(int col, int row, const QPoint& globalPos) {
    if (row != 0 || !loaded_ || col < 0 || col >= file_.Columns()) return;
    menuColumn_ = col;
    fieldMenuEnabled_ = FieldMenuEnabled(assignment_, target_.ColCount());
    std::vector<ui::MenuEntry> entries;
    for (std::size_t i = 0; i < fieldMenu_.size(); ++i)
        entries.push_back({ui::ToQ(fieldMenu_[i]), fieldMenuEnabled_[i]});
    const int chosen = ui::platform().PopupMenu(globalPos, entries);
    if (chosen >= 0 && chosen < static_cast<int>(entries.size()) && fieldMenuEnabled_[chosen])
        SelectField(chosen);
}

void TImportForm::SelectField(int item) {
    if (!loaded_ || menuColumn_ < 0 || menuColumn_ >= static_cast<int>(assignment_.size())) return;
    assignment_[static_cast<std::size_t>(menuColumn_)] = item <= 0 ? kNotAssigned : item - 1;
    AssignmentChanged();
}

void TImportForm::TitlesBoxClick() {
    if (loaded_ && SkipFirstLine()) AssignByTitles(file_, target_, assignment_);
    AssignmentChanged();
}

void TImportForm::PerformImportBtnClick() {
    if (!loaded_) return;
    // Everything is checked before the table changes.
    const ImportPlan plan = PlanImport(file_, assignment_, SkipFirstLine(), target_);
    status_->setText(ui::ToQ(ImportStatusText(plan)));
    if (!plan.Allowed()) {
        ui::platform().Message(MsgKind::Error, plan.refusal, MsgButtons::Ok);
        return;
    }
    ApplyImport(plan, target_, histories_);
    const int count = static_cast<int>(plan.records.size());
    status_->setText(QString("%1 record%2 imported.").arg(count).arg(count == 1 ? "" : "s"));
    ui::platform().Message(MsgKind::Information, "Data has been imported.", MsgButtons::Ok);
    FormActivate();
}

void TImportForm::ClearImportBtnClick() {
    ClearImportGrid();
    model_->Refresh();
    status_->clear();
    performBtn_->setEnabled(false);
}

void TImportForm::CloseImportDatabtnClick() { close(); }

void ImportCustomers(Store& store, QWidget* parent) {
    TImportForm form(store.CustomerData, nullptr, parent);
    ui::platform().ShowModal(form);
}

void ImportInventory(Store& store, QWidget* parent) {
    store.SyncHistories();
    TImportForm form(store.Data, &store.Histories, parent);
    ui::platform().ShowModal(form);
}

}  // namespace brenvik
