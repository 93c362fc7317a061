#include "analyzer/exporttable.h"

namespace pellard {

brenvik::StringTable ViewTable(const LogView& view) {
    brenvik::StringTable t;
    const int cols = view.ColCount();
    // A view without columns still has its header row and one row per
    // transaction, as the window shows it.
    t.SetSize(std::max(cols, 1), view.RowCount());
    for (int r = 0; r < view.RowCount(); ++r)
        for (int c = 0; c < cols; ++c) t.SetCell(c, r, view.Cell(c, r));
    return t;
}

}  // namespace pellard
