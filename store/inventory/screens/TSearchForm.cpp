#include "store/inventory/screens/TSearchForm.h"

#include "store/core/codepage.h"
#include "store/core/datetext.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace brenvik {

using brenvik::SearchKind;

namespace {

QDate ToQDate(const brenvik::Date& d) { return QDate(d.year, d.month, d.day); }

}  // namespace

TSearchForm::TSearchForm(QAbstractItemView& list, const brenvik::StringTable& table,
                         SearchMode mode, const std::vector<brenvik::FieldData>* fields,
                         const QString& caption, QWidget* parent)
    : QDialog(parent), list_(list), table_(table), mode_(mode), fields_(fields) {
    setObjectName("SearchForm");
    setWindowTitle(caption);

    QAbstractItemModel* model = list_.model();
    int rows = model ? model->columnCount() : 0;
    grid_ = new QTableWidget(rows, 5, this);
    grid_->setObjectName("SearchGrid");
    QStringList headings;
    for (const char* h : brenvik::kSearchHeadings) headings << h;
    grid_->setHorizontalHeaderLabels(headings);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(0, 150);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    for (int i = 0; i < rows; ++i) {
        auto* name =
            new QTableWidgetItem(model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString());
        name->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(i, 0, name);
        for (int c = 1; c < 5; ++c) grid_->setItem(i, c, new QTableWidgetItem());
    }
    connect(grid_, &QTableWidget::cellPressed, this,
            [this](int row, int column) { SearchGridMouseDown(row, column, QCursor::pos()); });

    auto* hint = new QLabel("Enter search terms above, then press \"Search\".", this);
    displayAll_ = new QCheckBox("Display Entire Search List", this);
    displayAll_->setObjectName("DisplayEntireSearchList");

    QHBoxLayout* buttons =
        ui::ButtonRow(this, {{"SearchBtn", "Search", [this] { SearchBtnClick(); }},
                             {"NewSearchBtn", "New Search", [this] { NewSearchBtnClick(); }},
                             {"ClearBtn", "Clear", [this] { ClearBtnClick(); }},
                             {"OKBtn", "OK", [this] { OKBtnClick(); }}});
    buttons->insertWidget(0, displayAll_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(hint);
    layout->addLayout(buttons);
    resize(640, 460);

    SetSearchKinds();
}

QString TSearchForm::CellText(int row, int column) const {
    QTableWidgetItem* item = grid_->item(row, column);
    return item ? item->text() : QString();
}

void TSearchForm::SetCellText(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid_->item(row, column)) item->setText(text);
}

SearchKind TSearchForm::Kind(int row) const {
    return row >= 0 && row < static_cast<int>(kinds_.size()) ? kinds_[row] : SearchKind::Text;
}

void TSearchForm::SetSearchKinds() {
    bool inventory = mode_ == SearchMode::Inventory;
    bool hasRecords = table_.RowCount() > 1;
    kinds_.assign(static_cast<std::size_t>(grid_->rowCount()), SearchKind::Text);
    for (int i = 0; i < grid_->rowCount(); ++i) {
        std::string name = ui::FromQ(CellText(i, 0));
        const brenvik::FieldData* field = nullptr;
        if (inventory && fields_) {
            // The list's columns are the fields in order; go by name should
            // the two ever differ.
            if (i < static_cast<int>(fields_->size()) &&
                brenvik::LowerWestern((*fields_)[i].name) == brenvik::LowerWestern(name))
                field = &(*fields_)[i];
            for (std::size_t k = 0; !field && k < fields_->size(); ++k)
                if (brenvik::LowerWestern((*fields_)[k].name) == brenvik::LowerWestern(name))
                    field = &(*fields_)[k];
        }
        kinds_[i] = brenvik::SearchKindFor(inventory, hasRecords, field, name);
    }
}

std::vector<brenvik::SearchCriterion> TSearchForm::Criteria() const {
    std::vector<brenvik::SearchCriterion> out;
    for (int i = 0; i < grid_->rowCount(); ++i) {
        brenvik::SearchCriterion c;
        c.mode = ui::FromQ(CellText(i, 1));
        c.specific = ui::FromQ(CellText(i, 2));
        c.from = ui::FromQ(CellText(i, 3));
        c.to = ui::FromQ(CellText(i, 4));
        c.kind = Kind(i);
        out.push_back(std::move(c));
    }
    return out;
}

void TSearchForm::SearchGridMouseDown(int row, int column, const QPoint& globalPos) {
    if (row < 0 || row >= grid_->rowCount()) return;
    if (column == 1) {
        std::vector<ui::MenuEntry> entries = {{brenvik::kSearchIncludes},
                                              {brenvik::kSearchDoesNotInclude}};
        int chosen = ui::platform().PopupMenu(globalPos, entries);
        if (chosen >= 0) SetCellText(row, 1, entries[static_cast<std::size_t>(chosen)].text);
        return;
    }
    if (column < 2 || column > 4 || Kind(row) != SearchKind::Date) return;
    int chosen = ui::platform().PopupMenu(globalPos, {{"Set Date"}, {"Clear Date"}});
    if (chosen == 1) {
        SetCellText(row, column, QString());
    } else if (chosen == 0) {
        auto current = brenvik::ParseDate(ui::FromQ(CellText(row, column)));
        QDate initial = ToQDate(current ? *current : brenvik::Today());
        auto picked = ui::platform().PickDate(globalPos + QPoint(10, 10), initial);
        if (picked) {
            brenvik::Date d{picked->year(), picked->month(), picked->day()};
            SetCellText(row, column, ui::ToQ(brenvik::FormatDate(d)));
        }
    }
}

bool TSearchForm::IsChecked(int item) const {
    QAbstractItemModel* model = list_.model();
    return model->index(item, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void TSearchForm::SetChecked(int item) {
    QAbstractItemModel* model = list_.model();
    if (item >= 0 && item < model->rowCount())
        model->setData(model->index(item, 0), Qt::Checked, Qt::CheckStateRole);
}

void TSearchForm::SearchBtnClick() {
    // What is being typed into the grid counts.
    // (moving the current cell commits an open editor)
    QModelIndex current = grid_->currentIndex();
    grid_->setCurrentIndex(QModelIndex());
    grid_->setCurrentIndex(current);
    SetSearchKinds();
    std::vector<int> results;
    try {
        brenvik::RunSearch(table_, Criteria(), [&](int row) {
            SetChecked(row - 1);
            results.push_back(row - 1);
        });
    } catch (const std::exception& e) {
        ui::ShowError(e);
        return;
    }
    QAbstractItemModel* model = list_.model();
    if (displayAll_->isChecked()) {
        results.clear();
        for (int i = 0; i < model->rowCount(); ++i)
            if (IsChecked(i)) results.push_back(i);
    }
    if (results.empty()) {
        ui::platform().ShowMessage(brenvik::MsgKind::Information,
                                   "No matching items found in database.", brenvik::MsgButtons::Ok);
        return;
    }
    int item = PickResult(results);
    if (item < 0) return;
    QModelIndex index = model->index(item, 0);
    list_.setCurrentIndex(index);
    if (list_.selectionModel())
        list_.selectionModel()->select(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_.scrollTo(index);
    if (windowTitle() == "Search Inventory" && OpenItemView) OpenItemView(item);
}

int TSearchForm::PickResult(const std::vector<int>& items) {
    QAbstractItemModel* model = list_.model();
    // Each line shows the "Item" column of the inventory; for a customer
    // that place holds the last name.
    int column = -1;
    if (mode_ == SearchMode::Customer) {
        column = 1;
    } else {
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal, Qt::DisplayRole)
                    .toString()
                    .compare("Item", Qt::CaseInsensitive) == 0)
                column = c;
    }
    QStringList lines;
    for (int item : items)
        lines << (column >= 0 ? model->index(item, column).data(Qt::DisplayRole).toString()
                              : QString());
    TSearchResultsForm pick(lines, this);
    if (ui::platform().ShowModal(pick) != QDialog::Accepted) return -1;
    int chosen = pick.Chosen();
    return chosen >= 0 ? items[static_cast<std::size_t>(chosen)] : -1;
}

void TSearchForm::NewSearchBtnClick() {
    if (!ui::platform().ConfirmDestructive(
            "Search grid will be cleared.  Are you sure you want to continue ?"))
        return;
    for (int i = 0; i < grid_->rowCount(); ++i)
        for (int c = 1; c < 5; ++c) SetCellText(i, c, QString());
}

void TSearchForm::ClearBtnClick() {
    if (!ui::platform().ConfirmDestructive(
            "Found items will be cleared.  Are you sure you want to continue ?"))
        return;
    QAbstractItemModel* model = list_.model();
    for (int item = 0; item + 1 < table_.RowCount() && item < model->rowCount(); ++item)
        model->setData(model->index(item, 0), Qt::Unchecked, Qt::CheckStateRole);
}

void TSearchForm::OKBtnClick() { accept(); }

void TSearchForm::showEvent(QShowEvent* event) {
    SetSearchKinds();
    QDialog::showEvent(event);
}

void TSearchForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) SetSearchKinds();
    QDialog::changeEvent(event);
}

TSearchResultsForm::TSearchResultsForm(const QStringList& lines, QWidget* parent)
    : QDialog(parent) {
    setObjectName("SearchResultsForm");
    setWindowTitle("Search Results");
    list_ = new QListWidget(this);
    list_->setObjectName("Results");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->addItems(lines);
    if (list_->count() > 0) list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(ui::ButtonRow(this, {{"OKBtn", "OK", [this] { accept(); }},
                                           {"CancelBtn", "Cancel", [this] { reject(); }}}));
    resize(300, 360);
}

int TSearchResultsForm::Chosen() const {
    QListWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? list_->row(item) : -1;
}

}  // namespace brenvik
