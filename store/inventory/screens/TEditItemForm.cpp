#include "store/inventory/screens/TEditItemForm.h"

#include "store/core/fields.h"
#include "store/core/money.h"
#include "store/inventory/screens/ClickGrid.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>

namespace brenvik {

namespace {

const std::vector<std::string>& LineCaptions() {
    static const std::vector<std::string> captions = {"Item ",    "Barcode",    "Price",
                                                      "Quantity", "% Discount", "Total"};
    return captions;
}

std::string Lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

TEditItemForm::TEditItemForm(const brenvik::StringTable& data, std::vector<std::string>& line,
                             QWidget* parent)
    : QDialog(parent), data_(data), line_(line) {
    setObjectName("TEditItemForm");
    setWindowTitle("Edit Item");
    resize(420, 280);
    line_.resize(6);

    grid_ = new ClickGrid(this);
    grid_->setObjectName("EditGrid");
    auto* scan = ui::NamedButton(this, "ScanBtn", "Scan");
    auto* find = ui::NamedButton(this, "FindBtn", "Find");
    connect(scan, &QPushButton::clicked, this, &TEditItemForm::ScanBtnClick);
    connect(find, &QPushButton::clicked, this, &TEditItemForm::FindBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(ui::OkCancelRow(*this, [this] { OKBtnClick(); }, {scan, find}));
}

void TEditItemForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TEditItemForm::FormShow() {
    if (filled_) return;
    filled_ = true;
    grid_->Fill(LineCaptions(), line_, std::vector<bool>(6, true));
}

void TEditItemForm::FillFromRecord(int row, const std::string& barcode) {
    grid_->SetValue(0, data_.CellText(brenvik::GridField(data_, "item"), row));
    grid_->SetValue(1, barcode);
    grid_->SetValue(2, data_.CellText(brenvik::GridField(data_, "sale price"), row));
    grid_->SetValue(3, "1");
    grid_->SetValue(4, "0");
    grid_->SetValue(5, "");
}

void TEditItemForm::ScanBtnClick() {
    const std::string answer = ui::platform().InputBox("Add Item", "Scan or Type Code", "");
    if (answer.empty()) return;
    const std::string code = brenvik::StripNonNumeric(answer);
    const int col = brenvik::GridField(data_, "bar code");
    int found = -1;
    for (int row = 1; row < data_.RowCount(); ++row)
        if (brenvik::StripNonNumeric(data_.Cell(col, row)) == code) found = row;
    if (found < 0) {
        ui::platform().Message(brenvik::MsgKind::Information, "Scanned item not found in database.",
                               brenvik::MsgButtons::Ok);
        return;
    }
    FillFromRecord(found, code);
}

void TEditItemForm::FindBtnClick() {
    std::vector<ui::MenuEntry> entries;
    for (int c = 0; c < data_.ColCount(); ++c) entries.push_back({ui::ToQ(data_.Cell(c, 0))});
    const int chosen = ui::platform().PopupMenu(QCursor::pos(), entries);
    if (chosen >= 0) FindColumn(chosen);
}

void TEditItemForm::FindColumn(int column) {
    const std::string heading(data_.Cell(column, 0));
    const std::string answer = ui::platform().InputBox("Find " + heading, heading, "");
    if (answer.empty()) return;
    const std::string wanted = Lowered(answer);
    const int itemCol = brenvik::GridField(data_, "item");
    QStringList lines;
    std::vector<int> rows;
    for (int row = 1; row < data_.RowCount(); ++row) {
        if (Lowered(data_.Cell(column, row)).find(wanted) == std::string::npos) continue;
        lines << ui::ToQ(data_.Cell(itemCol, row));
        rows.push_back(row);
    }
    if (rows.empty()) {
        ui::platform().Message(brenvik::MsgKind::Information, "No matching items found.",
                               brenvik::MsgButtons::Ok);
        return;
    }
    TFindResultsForm pick(lines, this);
    if (ui::platform().ShowModal(pick) != QDialog::Accepted) return;
    const int chosen = pick.Chosen();
    if (chosen < 0) return;
    const int row = rows[static_cast<std::size_t>(chosen)];
    std::string barcode = data_.CellText(brenvik::GridField(data_, "bar code"), row);
    // The point of sale finds the record again by this form of its row number.
    if (barcode.empty()) barcode = "Item #: " + std::to_string(row);
    FillFromRecord(row, barcode);
}

void TEditItemForm::OKBtnClick() {
    line_ = grid_->Values();
    accept();
}

TFindResultsForm::TFindResultsForm(const QStringList& lines, QWidget* parent) : QDialog(parent) {
    setObjectName("TFindResultsForm");
    setWindowTitle("Find Results");
    resize(360, 320);
    list_ = new QListWidget(this);
    list_->setObjectName("Results");
    list_->addItems(lines);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    if (!lines.isEmpty()) list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(ui::OkCancelRow(*this, [this] { accept(); }));
}

int TFindResultsForm::Chosen() const { return list_->currentRow(); }

}  // namespace brenvik
