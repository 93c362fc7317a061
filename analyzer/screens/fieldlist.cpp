#include "analyzer/screens/fieldlist.h"

#include "ui/text.h"

namespace pellard {

void FillFieldList(QListWidget& list, const std::vector<FieldEntry>& entries) {
    list.clear();
    for (const FieldEntry& e : entries) {
        auto* item = new QListWidgetItem(ui::ToQ(e.name), &list);
        item->setData(Qt::UserRole, e.field);
        item->setData(Qt::UserRole + 1, QByteArray(e.name.data(), static_cast<int>(e.name.size())));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<FieldEntry> ReadFieldList(const QListWidget& list) {
    std::vector<FieldEntry> entries;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* item = list.item(i);
        const QByteArray name = item->data(Qt::UserRole + 1).toByteArray();
        entries.push_back({name.toStdString(), item->data(Qt::UserRole).toInt(),
                           item->checkState() == Qt::Checked});
    }
    return entries;
}

void MoveFieldListEntry(QListWidget& list, bool up) {
    int selected = -1;  // the last selected entry
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->isSelected()) selected = i;
    auto entries = ReadFieldList(list);
    const int moved = up ? MoveEntryUp(entries, selected) : MoveEntryDown(entries, selected);
    if (moved < 0) return;
    FillFieldList(list, entries);
    list.setCurrentRow(moved);
}

}  // namespace pellard
