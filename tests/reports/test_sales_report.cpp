// The quick sales report's rules: kinds, date range, activity text, number
// reading, checked items, the totals row and long histories.
#include "store/core/fields.h"
#include "store/reports/salesreport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brenvik;

namespace {

const Date kToday{2026, 3, 10};

// Three items; their histories.
struct Shop {
    StringTable data;
    std::vector<HistoryList> histories{4};
    Shop() {
        data.SetSize(3, 4);
        const char* cells[4][3] = {
            {"Item", "Bar Code", "Price"}, {"Hat", "1", ""}, {"Cap", "2", ""}, {"Pin", "3", ""}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) data.SetCell(c, r, cells[r][c]);
    }
    void Add(int row, const std::string& date, const std::string& activity, const std::string& qty,
             const std::string& total) {
        for (const std::string& s :
             {date, activity, std::string("17"), qty, total, std::string("note")})
            histories[std::size_t(row)].push_back(s);
    }
};

std::vector<std::string> Row(const StringTable& t, int r) {
    return {t.CellText(0, r), t.CellText(1, r), t.CellText(2, r)};
}

SalesReportInput Input(SalesKind kind) {
    SalesReportInput in;
    in.kind = kind;
    in.today = kToday;
    return in;
}

}  // namespace

TEST(SalesReport, KindsCountTheirOwnActivityExactly) {
    Shop shop;
    shop.Add(1, "2026/03/01", "Invoice Sale", "2", "$10.00");
    shop.Add(1, "2026/03/02", "invoice sale", "100", "$100.00");  // case differs: not counted
    shop.Add(1, "2026/03/03", "Product Received from Supplier", "20", "$40.00");
    shop.Add(1, "2026/03/04", "Product Return", "1", "$5.00");
    shop.Add(2, "2026/03/01", "Invoice Sale", "3 pcs", "$12.50");
    struct Case {
        SalesKind kind;
        std::vector<std::string> headings, hat, cap;
    } cases[] = {
        {SalesKind::Sale,
         {"Item", "Quantity Sold", "Revenue"},
         {"Hat", " 2", "$10.00"},
         {"Cap", " 3", "$12.50"}},
        {SalesKind::Order,
         {"Item", "Quantity Ordered", "Cost"},
         {"Hat", "20", "$40.00"},
         {"Cap", " 0", "$0.00"}},
        {SalesKind::Return,
         {"Item", "Quantity Returned", "Refund"},
         {"Hat", " 1", "$5.00"},
         {"Cap", " 0", "$0.00"}},
    };
    for (const Case& c : cases) {
        const StringTable t = BuildQuickSalesReport(shop.data, shop.histories, Input(c.kind));
        ASSERT_EQ(t.ColCount(), 3);
        ASSERT_EQ(t.RowCount(), 5);
        EXPECT_EQ(Row(t, 0), c.headings);
        EXPECT_EQ(Row(t, 1), c.hat);
        EXPECT_EQ(Row(t, 2), c.cap);
        EXPECT_EQ(Row(t, 3)[0], "Pin");
    }
    const StringTable sale =
        BuildQuickSalesReport(shop.data, shop.histories, Input(SalesKind::Sale));
    EXPECT_EQ(Row(sale, 4), (std::vector<std::string>{"", "Total:  5", "Total: $22.50"}));

    EXPECT_EQ(SalesKindFromText("Sale Report"), SalesKind::Sale);
    EXPECT_EQ(SalesKindFromText("Order Report"), SalesKind::Order);
    EXPECT_EQ(SalesKindFromText("anything"), SalesKind::Return);
    EXPECT_EQ(SalesReportTypes(),
              (std::vector<std::string>{"Sale Report", "Order Report", "Product Return Report"}));
}

TEST(SalesReport, DateRange) {
    Shop shop;
    shop.Add(1, "2026/03/01", "Invoice Sale", "1", "1");
    shop.Add(1, "2026/03/05", "Invoice Sale", "10", "10");
    shop.Add(1, "2026/03/09", "Invoice Sale", "100", "100");
    shop.Add(1, "", "Invoice Sale", "1000", "1000");        // undated: now
    shop.Add(1, "soon", "Invoice Sale", "10000", "10000");  // unreadable: now
    const std::optional<Date> none;
    struct Case {
        const char* what;
        std::optional<Date> from, to;
        std::string quantity;
    } cases[] = {
        {"no range", none, none, "11111"},
        {"one day", Date{2026, 3, 5}, Date{2026, 3, 5}, "10"},
        {"both ends inclusive", Date{2026, 3, 1}, Date{2026, 3, 9}, "111"},
        {"To today leaves out undated rows", none, kToday, "111"},
        {"To tomorrow takes them", none, Date{2026, 3, 11}, "11111"},
        {"From today takes them", kToday, none, "11000"},
        {"From tomorrow does not", Date{2026, 3, 11}, none, " 0"},
    };
    for (const Case& c : cases) {
        SalesReportInput in = Input(SalesKind::Sale);
        in.from = c.from;
        in.to = c.to;
        const StringTable t = BuildQuickSalesReport(shop.data, shop.histories, in);
        EXPECT_EQ(t.Cell(1, 1), c.quantity) << c.what;
    }
}

TEST(SalesReport, NumbersAreReadAsMoneyTexts) {
    Shop shop;
    const std::pair<const char*, const char*> cells[] = {
        {"3 pcs", "$12.50"}, {"", "$1,000.00"}, {"x", "abc"}, {"2.5", "0.01"}};
    for (auto [qty, total] : cells) shop.Add(1, "2026/03/01", "Invoice Sale", qty, total);
    const StringTable t = BuildQuickSalesReport(shop.data, shop.histories, Input(SalesKind::Sale));
    // 3 + 0 + 0 + 2.5 = 5.5 rounds half away from zero to 6.
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{"Hat", " 6", "$1012.51"}));
    EXPECT_EQ(SalesQuantityText(-0.4L), "-0");
    EXPECT_EQ(SalesQuantityText(1234), "1234");
}

TEST(SalesReport, CheckedItemsAndTheTotalsRowPosition) {
    Shop shop;
    shop.Add(1, "2026/03/01", "Invoice Sale", "1", "1.00");
    shop.Add(3, "2026/03/01", "Invoice Sale", "4", "4.00");
    SalesReportInput in = Input(SalesKind::Sale);
    in.reported = [](int item) { return item == 2; };
    StringTable t = BuildQuickSalesReport(shop.data, shop.histories, in);
    ASSERT_EQ(t.RowCount(), 5);
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{"Pin", " 4", "$4.00"}));
    EXPECT_EQ(Row(t, 2), (std::vector<std::string>{"", "Total:  4", "Total: $4.00"}));
    EXPECT_EQ(Row(t, 3), (std::vector<std::string>{"", "", ""}));

    // Nothing checked: only the totals, in row 1.
    in.reported = [](int) { return false; };
    t = BuildQuickSalesReport(shop.data, shop.histories, in);
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{"", "Total:  0", "Total: $0.00"}));
    EXPECT_EQ(Row(t, 2), (std::vector<std::string>{"", "", ""}));

    // An empty inventory: the headings and one empty row, no totals.
    StringTable empty;
    empty.SetSize(3, 1);
    empty.SetCell(0, 0, "Item");
    t = BuildQuickSalesReport(empty, {}, Input(SalesKind::Order));
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{"", "", ""}));
}

TEST(SalesReport, EveryEntryOfALongHistoryCounts) {
    Shop shop;
    for (int i = 0; i < 3000; ++i) shop.Add(2, "2026/03/01", "Invoice Sale", "1", "0.10");
    // A last entry cut short still counts what it has.
    shop.histories[2].insert(shop.histories[2].end(), {"2026/03/01", "Invoice Sale", "", "2"});
    const StringTable t = BuildQuickSalesReport(shop.data, shop.histories, Input(SalesKind::Sale));
    EXPECT_EQ(Row(t, 2), (std::vector<std::string>{"Cap", "3002", "$300.00"}));
    EXPECT_EQ(Row(t, 4), (std::vector<std::string>{"", "Total: 3002", "Total: $300.00"}));
}

TEST(SalesReport, HistoryColumnsAreFoundByHeading) {
    Shop shop;
    // The same entry read through headings in another order.
    shop.histories[1] = {"5", "2026/03/01", "Invoice Sale", "", "$7.00", ""};
    SalesReportInput in = Input(SalesKind::Sale);
    in.historyHeadings = {"QUANTITY", "date", "activity", "Invoice", "total", "Notes"};
    const StringTable t = BuildQuickSalesReport(shop.data, shop.histories, in);
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{"Hat", " 5", "$7.00"}));
}
