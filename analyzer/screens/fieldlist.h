#pragma once
// Check lists of fields (the View page's display list, the statistics field
// set in the Select Fields dialog): filled from and read back into entries,
// and the Move Up / Move Down buttons.
#include "analyzer/logview.h"

#include <QListWidget>

#include <vector>

namespace pellard {

void FillFieldList(QListWidget& list, const std::vector<FieldEntry>& entries);
std::vector<FieldEntry> ReadFieldList(const QListWidget& list);
// The selected entry moves one place; check marks travel with it.
void MoveFieldListEntry(QListWidget& list, bool up);

}  // namespace pellard
