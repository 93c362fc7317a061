// The record test of the search: text, number and date rows, the mode, the
// AND of rows, the search kinds, and an unreadable date stopping the search.
#include "store/core/codepage.h"
#include "store/core/error.h"
#include "store/core/fields.h"
#include "store/inventory/search.h"

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

SearchCriterion Row(SearchKind kind, std::string specific, std::string from = "",
                    std::string to = "", std::string mode = "") {
    SearchCriterion c;
    c.kind = kind;
    c.specific = std::move(specific);
    c.from = std::move(from);
    c.to = std::move(to);
    c.mode = std::move(mode);
    return c;
}

struct Case {
    const char* name;
    SearchCriterion criterion;
    const char* value;
    bool passes;
};

}  // namespace

TEST(SearchCriterion, Cases) {
    const auto T = SearchKind::Text;
    const auto N = SearchKind::Number;
    const auto D = SearchKind::Date;
    const std::string no = kSearchDoesNotInclude;
    const Case cases[] = {
        {"specific matches prefix", Row(T, "Printer"), "Printer cable", true},
        {"specific ignores case", Row(T, "Printer"), "printer", true},
        {"specific is not a substring test", Row(T, "Printer"), "Laser Printer", false},
        {"specific longer than value", Row(T, "Printers"), "Printer", false},
        {"from alone is a substring test", Row(T, "", "Printer"), "Laser Printer", true},
        {"to alone is a substring test", Row(T, "", "", "PRINT"), "Laser Printer", true},
        {"substring test misses", Row(T, "", "scan"), "Laser Printer", false},
        {"L to M: l", Row(T, "", "L", "M"), "lemon", true},
        {"L to M: M", Row(T, "", "L", "M"), "Mouse", true},
        {"L to M: K", Row(T, "", "L", "M"), "Keyboard", false},
        {"L to M: N", Row(T, "", "L", "M"), "Network", false},
        {"L to M: empty value", Row(T, "", "L", "M"), "", false},
        {"text inverted", Row(T, "Printer", "", "", no), "Laser Printer", true},
        {"text inverted fails a match", Row(T, "Printer", "", "", no), "printer", false},
        {"number in range", Row(N, "", "10", "20"), "15", true},
        {"number bounds inclusive", Row(N, "", "10", "20"), "20", true},
        {"number below", Row(N, "", "10", "20"), "5", false},
        {"number not in range: 5", Row(N, "", "10", "20", no), "5", true},
        {"number not in range: 25", Row(N, "", "10", "20", no), "25", true},
        {"number not in range: 15", Row(N, "", "10", "20", no), "15", false},
        {"number from alone runs to 0", Row(N, "", "10"), "15", false},
        {"number to alone starts at 0", Row(N, "", "", "10"), "4", true},
        {"number to alone, negative", Row(N, "", "", "10"), "-4", false},
        {"number specific", Row(N, "100010"), "100010", true},
        {"number lenient reading", Row(N, "", "0", "100"), "12.5x", false},  // reads 125
        {"date in range", Row(D, "", "2006/01/01", "2006/12/31"), "2006/06/15", true},
        {"date bounds inclusive", Row(D, "", "2006/01/01", "2006/12/31"), "2006/12/31", true},
        {"date before from", Row(D, "", "2006/01/01"), "2005/12/31", false},
        {"date on from, no to", Row(D, "", "2006/01/01"), "2006/01/01", true},
        {"date after to", Row(D, "", "", "2006/01/01"), "2006/01/02", false},
        {"date ignores the mode", Row(D, "", "2006/01/01", "", no), "2007/03/01", true},
        {"date ignores the mode, before", Row(D, "", "2006/01/01", "", no), "2005/03/01", false},
        {"date specific", Row(D, "2006/03/04"), "2006/03/04", true},
        {"date row, empty value", Row(D, "", "2006/01/01"), "", false},
        {"no criterion", Row(T, ""), "anything", true},
        {"no criterion ignores the mode", Row(N, "", "", "", no), "5", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SearchCriterionPasses(c.criterion, c.value), c.passes) << c.name;
    }
}

TEST(SearchCriterion, UnreadableDateRaisesTheConversionError) {
    try {
        SearchCriterionPasses(Row(SearchKind::Date, "", "2006/01/01"), "next week");
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "'next week' is not a valid date");
    }
    try {
        SearchCriterionPasses(Row(SearchKind::Date, "", "2006/13/01"), "2006/01/01");
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "'2006/13/01' is not a valid date");
    }
}

namespace {

StringTable Table(std::vector<std::vector<std::string>> rows) {
    StringTable t;
    t.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) t.SetCell(c, r, rows[r][c]);
    return t;
}

std::vector<int> Found(const StringTable& t, const std::vector<SearchCriterion>& criteria) {
    std::vector<int> rows;
    RunSearch(t, criteria, [&](int r) { rows.push_back(r); });
    return rows;
}

}  // namespace

TEST(SearchRecord, RowsActAsAnd) {
    StringTable t = Table({{"Date Added", "Item", "Quantity"},
                           {"2006/01/05", "Printer", "3"},
                           {"2006/02/05", "Printer cable", "30"},
                           {"2006/03/05", "Scanner", "3"}});
    SearchCriterion none = Row(SearchKind::Date, "");
    EXPECT_EQ(
        Found(t, {none, Row(SearchKind::Text, "Printer"), Row(SearchKind::Number, "", "1", "5")}),
        (std::vector<int>{1}));
    EXPECT_EQ(Found(t, {none, Row(SearchKind::Text, ""), Row(SearchKind::Number, "", "1", "5")}),
              (std::vector<int>{1, 3}));
    // No criterion at all: every record passes.
    EXPECT_EQ(Found(t, {}), (std::vector<int>{1, 2, 3}));
}

TEST(SearchRecord, UnreadableDateStopsAfterTheEarlierRecords) {
    StringTable t =
        Table({{"Date Added", "Item"}, {"2006/01/05", "a"}, {"soon", "b"}, {"2006/03/05", "c"}});
    std::vector<int> rows;
    try {
        RunSearch(t, {Row(SearchKind::Date, "", "2006/01/01")}, [&](int r) { rows.push_back(r); });
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "'soon' is not a valid date");
    }
    EXPECT_EQ(rows, (std::vector<int>{1}));
    // A failing earlier row ends the record test before the date is read.
    EXPECT_EQ(Found(t, {Row(SearchKind::Date, ""), Row(SearchKind::Text, "c")}),
              (std::vector<int>{3}));
}

TEST(SearchKindFor, ByCodeWithRecordsElseByName) {
    std::vector<FieldData> fields = InventoryFields();
    auto kindOf = [&](const char* name) {
        for (const FieldData& f : fields)
            if (f.name == name) return SearchKindFor(true, true, &f, f.name);
        ADD_FAILURE() << name;
        return SearchKind::Text;
    };
    EXPECT_EQ(kindOf("Date Added"), SearchKind::Date);
    EXPECT_EQ(kindOf("Item"), SearchKind::Text);
    EXPECT_EQ(kindOf("Bar Code"), SearchKind::Number);
    EXPECT_EQ(kindOf("Sale Price"), SearchKind::Number);
    EXPECT_EQ(kindOf("Web ID"), SearchKind::Text);
    EXPECT_EQ(kindOf("Total Sold"), SearchKind::Number);
    EXPECT_EQ(kindOf("Total Revenue"), SearchKind::Number);
    EXPECT_EQ(kindOf("Required (Desired - Quantity)"), SearchKind::Text);

    // An empty inventory and the customer list go by the name.
    EXPECT_EQ(SearchKindFor(true, false, &fields[4], "Cost"), SearchKind::Text);
    EXPECT_EQ(SearchKindFor(true, false, &fields[2], "Bar Code"), SearchKind::Number);
    EXPECT_EQ(SearchKindFor(false, true, nullptr, "Date Added"), SearchKind::Date);
    EXPECT_EQ(SearchKindFor(false, true, nullptr, "Last DATE seen"), SearchKind::Date);
    EXPECT_EQ(SearchKindFor(false, true, nullptr, "Barcode"), SearchKind::Number);
    EXPECT_EQ(SearchKindFor(false, true, nullptr, "Zip/Postal Code"), SearchKind::Text);
}

TEST(SearchText, LoweringAndFolding) {
    EXPECT_EQ(LowerWestern("\xC0"
                           "BC\xC9z"),
              "\xE0"
              "bc\xE9z");
    EXPECT_EQ(LowerWestern("\xD7"), "\xD7");  // the multiplication sign has no case
    EXPECT_EQ(SearchCompareText("abc", "ABC"), 0);
    EXPECT_LT(SearchCompareText("L", "m"), 0);
    EXPECT_NE(SearchCompareText("\xE9", "\xC9"), 0);  // only A to Z are folded
}

TEST(RangeDialogs, OkRules) {
    const std::string empty = "    /  /  ";
    RangeResult d = DateRangeOk("2006/01/01", "2006/02/01", empty);
    EXPECT_EQ(d.from, "2006/01/01");
    EXPECT_EQ(d.to, "2006/02/01");
    EXPECT_EQ(d.summary, "2006/01/01 to 2006/02/01");
    d = DateRangeOk("2006/01/01", empty, empty);
    EXPECT_EQ(d.from, "");
    EXPECT_EQ(d.to, "");
    EXPECT_EQ(d.summary, "");

    RangeResult n = NumericRangeOk("", "20");
    EXPECT_EQ(n.from, "");
    EXPECT_EQ(n.to, "20");
    EXPECT_EQ(n.summary, " to 20");
    n = NumericRangeOk("", "");
    EXPECT_EQ(n.summary, "");
}
