#include "store/sales/purge.h"

#include "store/sales/invoices.h"

namespace brenvik {

PurgeSelection SelectEverything(const StringTable& invoices) {
    PurgeSelection s;
    for (int r = 1; r < invoices.RowCount(); ++r) s.rows.push_back(r);
    return s;
}

PurgeSelection SelectDateRange(const StringTable& invoices, int dateColumn, const Date& from,
                               const Date& to) {
    PurgeSelection s;
    for (int r = 1; r < invoices.RowCount(); ++r) {
        // A blank row is a free place, not a record that will be kept.
        if (IsBlankRow(invoices, r)) continue;
        const auto date = ParseDate(invoices.Cell(dateColumn, r));
        if (!date) {
            ++s.unreadable;
            continue;
        }
        if (*date >= from && *date <= to) s.rows.push_back(r);
    }
    return s;
}

namespace {

void CopyRow(const StringTable& from, int fromRow, StringTable& to, int toRow) {
    for (int c = 0; c < from.ColCount(); ++c) to.SetCell(c, toRow, from.Cell(c, fromRow));
}

// A table shaped like `invoices` (columns and widths) with `rows` rows.
StringTable EmptyLike(const StringTable& invoices, int rows) {
    StringTable out(invoices.DefaultWidth());
    out.SetSize(invoices.ColCount(), rows);
    for (int c = 0; c < invoices.ColCount(); ++c) out.SetColWidth(c, invoices.ColWidth(c));
    return out;
}

}  // namespace

StringTable PurgeGridOf(const StringTable& invoices, const std::vector<int>& rows) {
    StringTable out = EmptyLike(invoices, static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i)
        CopyRow(invoices, rows[i], out, static_cast<int>(i));
    return out;
}

StringTable PurgeExportTable(const StringTable& invoices, const std::vector<int>& rows) {
    StringTable out = EmptyLike(invoices, static_cast<int>(rows.size()) + 2);
    CopyRow(invoices, 0, out, 0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        CopyRow(invoices, rows[i], out, static_cast<int>(i) + 1);
    return out;
}

void PurgeInvoices(StringTable& invoices, const std::vector<int>& rows) {
    std::vector<bool> purged(invoices.RowCount(), false);
    for (int r : rows)
        if (r > 0 && r < invoices.RowCount()) purged[r] = true;
    std::vector<int> keep;
    for (int r = 1; r < invoices.RowCount(); ++r)
        if (!purged[r] && !IsBlankRow(invoices, r)) keep.push_back(r);
    // Built anew rather than row by row: deleting thousands of rows one at a
    // time would move the whole table each time.
    StringTable out = EmptyLike(invoices, static_cast<int>(keep.size()) + 1);
    CopyRow(invoices, 0, out, 0);
    for (std::size_t i = 0; i < keep.size(); ++i)
        CopyRow(invoices, keep[i], out, static_cast<int>(i) + 1);
    if (out.RowCount() == 1) out.SetRowCount(2);
    invoices = std::move(out);
}

}  // namespace brenvik
