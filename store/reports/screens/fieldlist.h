#pragma once
// The field choice of the export and report dialogs: a check list of a
// table's headings, each entry carrying its column, ordered with "Move Up"
// and "Move Down".
#include "store/core/stringtable.h"

#include <vector>

class QListWidget;
class QPushButton;
class QWidget;

namespace brenvik {

struct FieldChoicePage {
    QWidget* page = nullptr;
    QListWidget* list = nullptr;  // "FieldList"
    QPushButton* up = nullptr;    // "MoveUpBtn"
    QPushButton* down = nullptr;  // "MoveDownBtn"
};
FieldChoicePage BuildFieldChoicePage(QWidget* parent);

// One checked entry per heading of row 0, in column order.
void FillFieldList(QListWidget& list, const StringTable& table);
// Exchanges the selected entry with its neighbour `step` (-1 or 1) away;
// nothing when none is selected or there is no neighbour.
void MoveFieldEntry(QListWidget& list, int step);
// The columns of the checked entries, in list order.
std::vector<int> CheckedFieldColumns(const QListWidget& list);

}  // namespace brenvik
