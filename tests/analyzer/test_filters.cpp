#include "analyzer/filters.h"
#include "analyzer_fixture.h"

#include <gtest/gtest.h>

using namespace pellard;
using analyzer_test::Column;
using analyzer_test::LoadCSV;
using Strings = std::vector<std::string>;

namespace {

// Id, Gross, Date, Type, Note; one row per case the filters must tell apart.
const char* kFile =
    "Id,Gross,Date,Type,Note\r\n"
    "1,10.00,2001/01/30,Sale,a\r\n"
    "2,20.00,2001/02/01,Sale,\r\n"
    "3,10,2001/03/02,Refund,b\r\n"
    "4,10.00 ,bad date,Sale,c\r\n"
    "5,5,2001/01/29,Refund,d\r\n"
    "6,12.50 ,2001/03/03,Sale,e\r\n"
    "7,20.00,2001/03/02,Refund,f\r\n";

class Filters : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDateFormat(DateOrder::YearMonthDay);
        LoadCSV(base, kFile);
        menu = FieldMenu(base);
    }
    void Add(const char* name, const char* type, const char* value) {
        int row = filters.RowCount() - 1;
        if (!filters.Name(row).empty()) {
            ASSERT_TRUE(filters.AddFilter());
            ++row;
        }
        for (const auto& e : menu)
            if (e.caption == name) filters.SetFieldChoice(row, e);
        filters.SetType(row, type);
        filters.SetValue(row, value);
    }
    Strings Ids() {
        FilterSet set(filters, base);
        LogView view(base);
        view.Refresh(FieldEntries(base, true), &set);
        return Column(view, 0);
    }

    LogBase base;
    std::vector<FieldMenuEntry> menu;
    FilterTable filters;
};

}  // namespace

TEST_F(Filters, ValuesOnOneFieldAreAlternativesAcrossFieldsAllMustHold) {
    Add("Gross", "Includes", "10.00");
    Add("Gross", "", "20.00");
    EXPECT_EQ(Ids(), (Strings{"1", "2", "7"}));  // "10" and "10.00 " are other texts
    Add("Type", "Includes", "Refund");
    EXPECT_EQ(Ids(), (Strings{"7"}));
    Add("Type", "Does Not Include", "Refund");  // either type now
    EXPECT_EQ(Ids(), (Strings{"1", "2", "7"}));
}

TEST_F(Filters, NumericRangesIncludeBothEnds) {
    Add("Gross", "Includes", "5 to 10");
    // Blanks around a number are skipped: "10.00 " reads 10, "12.50 " 12.5.
    EXPECT_EQ(Ids(), (Strings{"1", "3", "4", "5"}));
    filters.SetType(1, "Does Not Include");
    EXPECT_EQ(Ids(), (Strings{"2", "6", "7"}));
}

TEST_F(Filters, DateRangesIncludeBothEndsAndNegationKeepsUnreadableDates) {
    Add("Date", "Includes", "2001/01/30 to 2001/03/02");
    EXPECT_EQ(Ids(), (Strings{"1", "2", "3", "7"}));
    filters.SetType(1, "Does Not Include");
    EXPECT_EQ(Ids(), (Strings{"4", "5", "6"}));
    filters.SetValue(1, "2001/01/30 to junk");  // a bound that cannot be read
    EXPECT_EQ(Ids().size(), 7u);
}

TEST_F(Filters, OneSidedRangesIncludeTheirBound) {
    Add("Gross", "Includes", "> 20");
    EXPECT_EQ(Ids(), (Strings{"2", "7"}));
    filters.SetValue(1, "< 10");
    EXPECT_EQ(Ids(), (Strings{"1", "3", "4", "5"}));
    Add("Date", "Includes", "> 2001/03/02");
    EXPECT_EQ(Ids(), (Strings{"3"}));
    filters.SetValue(2, "< 2001/01/30");
    EXPECT_EQ(Ids(), (Strings{"1", "5"}));
}

TEST_F(Filters, EmptyValueKeepsEmptyCells) {
    Add("Note", "Includes", "");
    EXPECT_EQ(Ids(), (Strings{"2"}));
}

TEST_F(Filters, RowsWithoutFieldAreIgnored) {
    filters.SetType(1, "Includes");
    filters.SetValue(1, "10.00");
    EXPECT_EQ(Ids().size(), 7u);
}

TEST(ProcessFilter, MatchesTheRowTest) {
    SetProgramDateFormat(DateOrder::YearMonthDay);
    EXPECT_TRUE(ProcessFilter("10.00", "10.00", false, false));
    EXPECT_FALSE(ProcessFilter("10", "10.00", false, false));
    EXPECT_TRUE(ProcessFilter("10", "10.00", true, false));
    EXPECT_TRUE(ProcessFilter("7.5", "5 to 10", false, false));
    EXPECT_FALSE(ProcessFilter("12.50 ", "5 to 10", false, false));
    EXPECT_TRUE(ProcessFilter("2001/03/02", "2001/01/30 to 2001/03/02", false, true));
    EXPECT_FALSE(ProcessFilter("x", "2001/01/30 to 2001/03/02", false, true));
    EXPECT_TRUE(ProcessFilter("x", "2001/01/30 to 2001/03/02", true, true));
    EXPECT_TRUE(ProcessFilter("20", "> 20", false, false));
    Range r;
    ASSERT_TRUE(ExtractRange("a to b to c", r));
    EXPECT_EQ(r.from, "a");
    EXPECT_EQ(r.to, "b to c");
}

TEST(FilterTable, RemoveAddAndClear) {
    FilterTable f;
    EXPECT_EQ(f.RowCount(), 2);
    EXPECT_EQ(f.Name(0), "Filter");
    f.SetFieldChoice(1, {"Gross", 1});
    f.SetType(1, "Includes");
    f.SetValue(1, "5");
    f.SetFieldChoice(1, {"Remove Filter", -1});  // the only row: emptied
    EXPECT_EQ(f.RowCount(), 2);
    EXPECT_EQ(f.Name(1), "");
    EXPECT_EQ(f.Value(1), "");
    EXPECT_EQ(f.Field(1), -1);

    while (f.AddFilter()) {}
    EXPECT_EQ(f.RowCount(), 100);
    EXPECT_EQ(f.Field(99), -1);
    f.SetFieldChoice(5, {"Gross", 1});
    f.RemoveFilter(4);
    EXPECT_EQ(f.RowCount(), 99);
    EXPECT_EQ(f.Field(4), 1);
    f.ClearAll();
    EXPECT_EQ(f.RowCount(), 2);
    EXPECT_EQ(f.Field(1), -1);
}

TEST(FilterTable, FilesFindFieldsAgainByName) {
    LogBase base;
    LoadCSV(base, "Date,  Gross,Net,Gross\r\n");
    const auto menu = FieldMenu(base);
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[0].caption, "Remove Filter");
    EXPECT_EQ(menu[2].caption, "Gross");

    FilterTable saved;
    saved.SetFieldChoice(1, menu[2]);
    saved.SetValue(1, "5 to 10");
    saved.AddFilter();
    saved.SetFieldChoice(2, {"Country", 7});
    saved.SetType(2, "Does Not Include");
    saved.SetValue(2, "US");
    const std::string bytes = saved.Table().TableFileBytes();

    FilterTable loaded;
    loaded.SetType(1, "Does Not Include");
    loaded.LoadBytes(bytes, menu);
    ASSERT_EQ(loaded.RowCount(), 3);
    EXPECT_EQ(loaded.Field(1), 3);                  // the last field of that name
    EXPECT_EQ(loaded.Type(1), "Does Not Include");  // empty cells are not in the file
    EXPECT_EQ(loaded.Field(2), -1);                 // no such field here
    EXPECT_EQ(loaded.Value(2), "US");
}

TEST(FieldMenu, LeavesOutEmptyAndBlankNames) {
    LogBase base;
    LoadCSV(base, "A,,  ,   B\r\n");
    const auto menu = FieldMenu(base);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[1].caption, "A");
    EXPECT_EQ(menu[2].caption, "B");
    EXPECT_EQ(menu[2].field, 3);
}

TEST(DistinctValues, CaseFoldedSortedAndCapped) {
    LogBase base;
    std::string csv = "Status,Code\r\n";
    for (int i = 0; i < 300; ++i) {
        const char* status[] = {"Completed", "pending", "COMPLETED", "", "Denied"};
        csv += std::string(status[i % 5]) + "," + std::to_string(i) + "\r\n";
    }
    LoadCSV(base, csv);
    EXPECT_EQ(DistinctValues(base, 0), (Strings{"", "Completed", "Denied", "pending"}));
    EXPECT_TRUE(DistinctValues(base, 1).empty());  // 300 values
}

TEST(EditedFilterValue, Precedence) {
    std::string cell = "old";
    EXPECT_TRUE(EditedFilterValue("v", "1", "2", cell));
    EXPECT_EQ(cell, "v");
    EXPECT_TRUE(EditedFilterValue("", "1", "2", cell));
    EXPECT_EQ(cell, "1 to 2");
    EXPECT_TRUE(EditedFilterValue("", "1", "", cell));
    EXPECT_EQ(cell, "> 1");
    EXPECT_TRUE(EditedFilterValue("", "", "2", cell));
    EXPECT_EQ(cell, "< 2");
    EXPECT_FALSE(EditedFilterValue("", "", "", cell));
    EXPECT_EQ(cell, "< 2");
}
