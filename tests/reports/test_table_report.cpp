// The table report's rules: criteria by type code, record modes, the display
// table with its empty row and totals row, and the band captions.
#include "store/core/fields.h"
#include "store/inventory/store.h"
#include "store/reports/tablereport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brenvik;

namespace {

struct CriterionCase {
    const char* what;
    int code;
    ReportCriterion criterion;
    std::string cell;
    bool passes;
};

const Date kToday{2006, 3, 10};

StringTable Table(const std::vector<std::vector<std::string>>& rows) {
    StringTable t;
    t.SetSize(int(rows[0].size()), int(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) t.SetCell(int(c), int(r), rows[r][c]);
    return t;
}

std::vector<std::string> Row(const StringTable& t, int r) {
    std::vector<std::string> cells;
    for (int c = 0; c < t.ColCount(); ++c) cells.push_back(t.CellText(c, r));
    return cells;
}

// Item, Date, Price (total), Quantity (total), Code (text, code 3).
ReportSource Goods() {
    ReportSource s;
    s.table = Table({{"Item", "Date", "Price", "Qty", "Note"},
                     {"Hat", "2006/03/02", "$1,250.00", "3", "a"},
                     {"Cap", "2005/03/15", "2.50", "abc", "b"},
                     {"Pin", "", "$0.25", "1 pcs", "c"}});
    s.codes = {2, 1, 80, 80, 3};
    s.table.SetTag(0, 1, 1);
    s.table.SetTag(0, 2, -1);
    s.table.SetTag(0, 3, 5);
    return s;
}

std::vector<ReportCriterion> Criteria(int field, ReportCriterion c) {
    std::vector<ReportCriterion> all(kReportCriterionSlots);
    all[std::size_t(field)] = std::move(c);
    return all;
}

}  // namespace

TEST(TableReport, CriteriaByTypeCode) {
    const ReportCriterion march{"2006/03/01 to 2006/03/31", "2006/03/01", "2006/03/31"};
    const ReportCriterion toTen{" to 10", "", "10"};
    const ReportCriterion fromFive{"5 to ", "5", ""};
    const CriterionCase cases[] = {
        // Dates compare whole: another year with the same month and day fails.
        {"date in range", 1, march, "2006/03/15", true},
        {"date on From", 1, march, "2006/03/01", true},
        {"date on To", 1, march, "2006/03/31", true},
        {"date after To", 1, march, "2006/04/01", false},
        {"same month a year before", 1, march, "2005/03/15", false},
        {"same month a year after", 1, march, "2007/03/15", false},
        {"empty date is today, inside", 1, march, "", true},
        {"empty date is today, outside", 1, {"x", "2006/04/01", "2006/04/30"}, "", false},
        {"unreadable date", 1, march, "soon", false},
        {"unreadable bound", 1, {"x", "2006/13/01", "2006/12/31"}, "2006/05/01", false},
        {"open start", 1, {"x", "", "2006/03/31"}, "1999/01/01", true},
        {"open end", 1, {"x", "2006/03/01", ""}, "2006/02/28", false},
        // Text codes 2 and 4: the whole cell, case ignored (code page letters too).
        {"text same", 2, {"abc", "abc", "abc"}, "abc", true},
        {"text other case", 2, {"abc", "abc", "abc"}, "ABC", true},
        {"text longer", 2, {"abc", "abc", "abc"}, "abcd", false},
        {"text code 4", 4, {"abc", "abc", "abc"}, "aBc", true},
        {"accented capital", 2, {"\xE9t\xE9", "", ""}, "\xC9T\xC9", true},
        // Codes 3 and 5 to 50 show the text but keep every record.
        {"code 3 keeps", 3, {"abc", "abc", "abc"}, "zzz", true},
        {"code 50 keeps", 50, {"abc", "abc", "abc"}, "zzz", true},
        // Codes 51 to 70: From = To = the value.
        {"code 60 equal", 60, {"5", "5", "5"}, "5.00", true},
        {"code 60 other", 60, {"5", "5", "5"}, "6", false},
        // Numeric ranges with open ends; cells read as money texts, 0 when unreadable.
        {"only To, empty cell", 80, toTen, "", true},
        {"only To, abc", 80, toTen, "abc", true},
        {"only To, on the bound", 80, toTen, "10", true},
        {"only To, above", 80, toTen, "10.01", false},
        {"only From, unreadable cell is 0", 80, fromFive, "abc", false},
        {"separators and sign", 80, fromFive, "$1,250.00", true},
        {"separators above To", 80, toTen, "$1,250.00", false},
        {"unit after the number", 76, fromFive, "12 pcs", true},
        {"bound not a number is not applied", 80, {"x to 1", "x", "1"}, "0.5", true},
        {"derived field", 102, toTen, "$9.99", true},
    };
    for (const CriterionCase& c : cases)
        EXPECT_EQ(ReportCriterionPasses(c.code, c.criterion, c.cell, kToday), c.passes) << c.what;
}

TEST(TableReport, CriterionEntryAndTotalsFollowTheTypeCode) {
    const std::pair<int, CriterionEntry> entries[] = {
        {1, CriterionEntry::DateRange},     {2, CriterionEntry::EnterValue},
        {70, CriterionEntry::EnterValue},   {71, CriterionEntry::NumericRange},
        {75, CriterionEntry::NumericRange}, {80, CriterionEntry::NumericRange}};
    for (auto [code, entry] : entries) EXPECT_EQ(CriterionEntryFor(code), entry) << code;
    EXPECT_FALSE(HasReportTotal(76));
    EXPECT_TRUE(HasReportTotal(77));
    EXPECT_EQ(CodesByHeading(Table({{"Name", "Last DATE", "Place", "Date"}})),
              (std::vector<int>{2, 1, 2, 1}));
}

TEST(TableReport, RecordModes) {
    const ReportSource s = Goods();
    const std::vector<ReportCriterion> none(kReportCriterionSlots);
    struct Case {
        const char* what;
        RecordMode mode;
        std::vector<ReportCriterion> criteria;
        std::vector<int> rows;
    } cases[] = {
        {"all", RecordMode::AllRecords, Criteria(0, {"hat", "hat", "hat"}), {1, 2, 3}},
        {"checked: tags above 0", RecordMode::CheckedRecords, none, {1, 3}},
        {"quick search without criteria", RecordMode::QuickSearchRecords, none, {1, 2, 3}},
        {"quick search text",
         RecordMode::QuickSearchRecords,
         Criteria(0, {"CAP", "CAP", "CAP"}),
         {2}},
        {"quick search numeric",
         RecordMode::QuickSearchRecords,
         Criteria(2, {"2 to ", "2", ""}),
         {1, 2}},
        {"empty criterion text takes no part",
         RecordMode::QuickSearchRecords,
         Criteria(2, {"", "2000", ""}),
         {1, 2, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SelectReportRecords(s, c.mode, c.criteria, kToday), c.rows) << c.what;

    // All criteria must pass.
    std::vector<ReportCriterion> both = Criteria(3, {" to 10", "", "10"});
    both[1] = {"2006/03/01 to 2006/03/31", "2006/03/01", "2006/03/31"};
    EXPECT_EQ(SelectReportRecords(s, RecordMode::QuickSearchRecords, both, kToday),
              (std::vector<int>{1, 3}));
}

TEST(TableReport, DisplayGridHasTheRecordsAnEmptyRowAndTheTotals) {
    const ReportSource s = Goods();
    const std::vector<ReportCriterion> none(kReportCriterionSlots);
    StringTable all = BuildDisplayGrid(s, RecordMode::AllRecords, none, kToday);
    ASSERT_EQ(all.RowCount(), 6);
    EXPECT_EQ(Row(all, 0), Row(s.table, 0));
    EXPECT_EQ(Row(all, 3), Row(s.table, 3));
    EXPECT_EQ(Row(all, 4), (std::vector<std::string>(5, "")));
    // Money sums of the stripped cells; "abc" reads as 0, "1 pcs" as 1.
    EXPECT_EQ(Row(all, 5), (std::vector<std::string>{"", "", "Total: 1252.75", "Total: 4.00", ""}));

    StringTable checked = BuildDisplayGrid(s, RecordMode::CheckedRecords, none, kToday);
    ASSERT_EQ(checked.RowCount(), 5);
    EXPECT_EQ(checked.Cell(0, 2), "Pin");
    EXPECT_EQ(checked.Cell(2, 4), "Total: 1250.25");

    // No record: headings, one empty row, totals of 0.00.
    StringTable empty = BuildDisplayGrid(s, RecordMode::QuickSearchRecords,
                                         Criteria(0, {"none", "none", "none"}), kToday);
    ASSERT_EQ(empty.RowCount(), 3);
    EXPECT_EQ(Row(empty, 1), (std::vector<std::string>(5, "")));
    EXPECT_EQ(Row(empty, 2), (std::vector<std::string>{"", "", "Total: 0.00", "Total: 0.00", ""}));

    // A source with only its heading row.
    ReportSource bare;
    bare.table = Table({{"Item", "Price"}});
    bare.codes = {2, 80};
    StringTable nothing = BuildDisplayGrid(bare, RecordMode::AllRecords, none, kToday);
    ASSERT_EQ(nothing.RowCount(), 3);
    EXPECT_EQ(nothing.Cell(1, 2), "Total: 0.00");
}

TEST(TableReport, InventorySourceTakesTheSchemaCodesAndCheckMarks) {
    Store store("/nonexistent/");
    store.Fields = InventoryFields();
    SetupInventoryGrid(store.Data);
    store.Data.SetRowCount(4);
    const ReportSource s = InventoryReportSource(store, [](int item) { return item == 1; });
    ASSERT_EQ(int(s.codes.size()), store.Data.ColCount());
    for (int c = 0; c < store.Data.ColCount(); ++c)
        EXPECT_EQ(s.codes[std::size_t(c)], store.Fields[std::size_t(c)].code) << c;
    EXPECT_EQ(s.table.Tag(0, 1), -1);
    EXPECT_EQ(s.table.Tag(0, 2), 1);
    EXPECT_EQ(s.table.Tag(0, 3), -1);

    // A table typed by its headings passes no check flags, whatever it carries.
    StringTable customers = Table({{"Name", "Date Added"}, {"Ann", ""}});
    customers.SetTag(0, 1, 7);
    const ReportSource c = HeadingTypedSource(customers);
    EXPECT_EQ(c.codes, (std::vector<int>{2, 1}));
    EXPECT_TRUE(SelectReportRecords(c, RecordMode::CheckedRecords, {}, kToday).empty());
}

TEST(TableReport, BandCaptions) {
    using P = BandPosition;
    struct Case {
        P page, date;
        std::array<std::string, 3> captions;
    } cases[] = {
        {P::None, P::None, {"Shop ", "Mid ", "R "}},
        // The page number on its text's side: two spaces before the token.
        {P::Left, P::None, {"Shop  {PAGE}", "Mid ", "R "}},
        {P::Right, P::Right, {"Shop ", "Mid ", "R  {PAGE} 2006/03/10"}},
        {P::Center, P::Left, {"Shop  2006/03/10", "Mid  {PAGE}", "R "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeBandCaptions({"Shop", "Mid", "R"}, c.page, c.date, "2006/03/10"),
                  c.captions);
}
