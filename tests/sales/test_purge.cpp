// Choosing invoice records for purging and removing them.
#include "store/sales/invoices.h"
#include "store/sales/purge.h"

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

StringTable NewTable() {
    StringTable t(128);
    SetInvoiceGridFields(t);
    t.SetRowCount(2);
    return t;
}

// Rows given by their date and number; "" dates make rows with only a number,
// nullptr makes a blank row.
StringTable Table(const std::vector<std::pair<const char*, const char*>>& rows) {
    StringTable t = NewTable();
    t.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].first) continue;
        t.SetCell(0, static_cast<int>(i) + 1, rows[i].first);
        t.SetCell(1, static_cast<int>(i) + 1, rows[i].second);
    }
    return t;
}

std::vector<std::string> Numbers(const StringTable& t) {
    std::vector<std::string> out;
    for (int r = 1; r < t.RowCount(); ++r) out.push_back(t.CellText(1, r));
    return out;
}

TEST(Purge, EverythingOnANewTableLeavesTheInitialShape) {
    StringTable t = NewTable();
    const auto s = SelectEverything(t);
    EXPECT_EQ(s.rows.size(), 1u);  // the blank row counts
    PurgeInvoices(t, s.rows);
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.ColCount(), 11);
    EXPECT_EQ(t.CellText(0, 0), "Date");
    EXPECT_TRUE(IsBlankRow(t, 1));
}

TEST(Purge, DateRangeIncludesBothBoundsAndPassesOverUnreadableDates) {
    StringTable t = Table({{"2024/01/01", "1"},
                           {"2024/02/01", "2"},
                           {nullptr, nullptr},
                           {"2024/02/15", "3"},
                           {"2024/03/01", "4"},
                           {"soon", "5"},
                           {"2024/03/02", "6"}});
    const auto s = SelectDateRange(t, 0, Date{2024, 2, 1}, Date{2024, 3, 1});
    EXPECT_EQ(s.rows, (std::vector<int>{2, 4, 5}));
    EXPECT_EQ(s.unreadable, 1);  // "soon"; a blank row is no record

    PurgeInvoices(t, s.rows);
    // Order kept, every blank row gone, the unreadable record kept.
    EXPECT_EQ(Numbers(t), (std::vector<std::string>{"1", "5", "6"}));
    // The next record is appended at the end.
    EXPECT_EQ(FindFreeInvoice(t), 4);
}

TEST(Purge, FromAfterToSelectsNothingButAPurgeStillRemovesBlankRows) {
    StringTable t = Table({{"2024/01/01", "1"}, {nullptr, nullptr}, {"2024/01/03", "2"}});
    const auto s = SelectDateRange(t, 0, Date{2024, 2, 1}, Date{2024, 1, 1});
    EXPECT_TRUE(s.rows.empty());
    PurgeInvoices(t, s.rows);
    EXPECT_EQ(Numbers(t), (std::vector<std::string>{"1", "2"}));
}

TEST(Purge, SelectionTablesForExport) {
    const StringTable t = Table({{"2024/01/01", "1"}, {"2024/01/02", "2"}, {"2024/01/03", "3"}});
    const std::vector<int> rows{1, 3};
    const StringTable grid = PurgeGridOf(t, rows);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellText(1, 0), "1");
    EXPECT_EQ(grid.CellText(1, 1), "3");
    EXPECT_TRUE(IsBlankRow(grid, 2));
    const StringTable out = PurgeExportTable(t, rows);
    EXPECT_EQ(out.ColCount(), 11);
    EXPECT_EQ(out.RowCount(), 4);
    EXPECT_EQ(out.CellText(1, 0), "Invoice Number");
    EXPECT_EQ(out.CellText(1, 2), "3");
    EXPECT_TRUE(IsBlankRow(out, 3));
}

TEST(InvoiceTable, FieldLookupIgnoresCaseAndTakesTheFirstMatch) {
    StringTable t = NewTable();
    EXPECT_EQ(InvoiceField(t, "Pre-Tax Amount"), 3);
    EXPECT_EQ(InvoiceField(t, "date"), 0);
    EXPECT_EQ(InvoiceField(t, "Nothing"), -1);
    t.SetCell(9, 0, "Total");
    EXPECT_EQ(InvoiceField(t, "TOTAL"), 7);
}

}  // namespace
