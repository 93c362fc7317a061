#include "store/customers/screens/TAddCustomerForm.h"

#include "store/core/datetext.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace brenvik {

TAddCustomerForm::TAddCustomerForm(const std::vector<std::string>& names,
                                   const std::vector<std::string>& values, QWidget* parent)
    : QDialog(parent) {
    setObjectName("AddCustomerForm");
    setWindowTitle("Add Customer");

    grid_ = new QTableWidget(static_cast<int>(names.size()), 2, this);
    grid_->setObjectName("EditGrid");
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(0, 130);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        auto* name = new QTableWidgetItem(ui::ToQ(names[i]));
        name->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(i, 0, name);
        std::string value = i < static_cast<int>(values.size()) ? values[i] : std::string();
        grid_->setItem(i, 1, new QTableWidgetItem(ui::ToQ(value)));
    }
    // Every opening stamps the date, for an edit as for a new customer.
    if (!names.empty() && names[0] == "Date Added")
        grid_->item(0, 1)->setText(ui::ToQ(brenvik::FormatDate(brenvik::Today())));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(ui::ButtonRow(this, {{"OKBtn", "OK", [this] { OKBtnClick(); }},
                                           {"CancelBtn", "Cancel", [this] { CancelBtnClick(); }}}));
    grid_->setWordWrap(false);
    grid_->resizeColumnToContents(0);
    grid_->setColumnWidth(0, std::max(grid_->columnWidth(0), 130));
    ui::ShowAllRows(grid_);
    resize(420, 380);
    ui::GrowToContents(this);
    grid_->setCurrentCell(0, 1);
}

std::vector<std::string> TAddCustomerForm::Values() const {
    std::vector<std::string> out;
    for (int i = 0; i < grid_->rowCount(); ++i) out.push_back(ui::FromQ(grid_->item(i, 1)->text()));
    return out;
}

void TAddCustomerForm::OKBtnClick() {
    // A cell still being typed into counts as entered.
    // (moving the current cell commits an open editor)
    QModelIndex current = grid_->currentIndex();
    grid_->setCurrentIndex(QModelIndex());
    grid_->setCurrentIndex(current);
    accept();
}

void TAddCustomerForm::CancelBtnClick() { reject(); }

}  // namespace brenvik
