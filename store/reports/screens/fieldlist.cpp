#include "store/reports/screens/fieldlist.h"

#include "ui/text.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenvik {

FieldChoicePage BuildFieldChoicePage(QWidget* parent) {
    FieldChoicePage p;
    p.page = new QWidget(parent);
    p.list = new QListWidget(p.page);
    p.list->setObjectName("FieldList");
    p.list->setSelectionMode(QAbstractItemView::SingleSelection);
    p.up = ui::NamedButton(p.page, "MoveUpBtn", "Move Up");
    p.down = ui::NamedButton(p.page, "MoveDownBtn", "Move Down");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(p.up);
    buttons->addWidget(p.down);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(p.page);
    layout->addWidget(p.list);
    layout->addLayout(buttons);
    return p;
}

void FillFieldList(QListWidget& list, const StringTable& table) {
    for (int c = 0; c < table.ColCount(); ++c) {
        auto* item = new QListWidgetItem(ui::ToQ(table.Cell(c, 0)), &list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, c);
    }
}

void MoveFieldEntry(QListWidget& list, int step) {
    const int row = list.currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= list.count() || !list.currentItem()->isSelected()) return;
    QListWidgetItem* item = list.takeItem(row);
    list.insertItem(to, item);
    list.setCurrentRow(to);
}

std::vector<int> CheckedFieldColumns(const QListWidget& list) {
    std::vector<int> columns;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* item = list.item(i);
        if (item->checkState() == Qt::Checked) columns.push_back(item->data(Qt::UserRole).toInt());
    }
    return columns;
}

}  // namespace brenvik
