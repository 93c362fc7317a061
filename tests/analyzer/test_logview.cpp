#include "analyzer/logview.h"
#include "analyzer_fixture.h"

#include <gtest/gtest.h>

using namespace pellard;
using analyzer_test::Column;
using analyzer_test::LoadCSV;
using Strings = std::vector<std::string>;

TEST(LogView, NamesAreTrimmedInTheViewOnly) {
    LogBase base;
    LoadCSV(base, "  Gross,Date,  ,Email Address,Ship Address\r\n1,2,3,4,5\r\n");
    const auto entries = FieldEntries(base, true);
    EXPECT_EQ(entries[0].name, "  Gross");  // the lists keep the names as loaded
    EXPECT_EQ(entries[2].name, "  ");
    LogView view(base);
    view.Refresh(entries, nullptr);
    EXPECT_EQ(view.Cell(0, 0), "Gross");
    EXPECT_EQ(view.Cell(2, 0), " ");
    EXPECT_EQ(base.Name(0), "Gross");
    ASSERT_EQ(view.DateColumns().size(), 1u);
    EXPECT_EQ(view.DateColumns()[0].column, 1);
    ASSERT_EQ(view.AddressColumns().size(), 1u);
    EXPECT_EQ(view.AddressColumns()[0].name, "Ship Address");
    EXPECT_EQ(view.TotalText(), "1 of 1");
}

TEST(LogView, CheckedFieldsInEntryOrderWithRowTags) {
    LogBase base;
    LoadCSV(base, "A,B,C\r\na1,b1,c1\r\na2,b2,c2\r\n");
    auto entries = FieldEntries(base, true);
    entries[1].checked = false;
    EXPECT_EQ(MoveEntryUp(entries, 2), 1);  // C above B
    LogView view(base);
    view.Refresh(entries, nullptr);
    ASSERT_EQ(view.ColCount(), 2);
    EXPECT_EQ(view.Cell(0, 0), "A");
    EXPECT_EQ(view.Cell(1, 0), "C");
    EXPECT_EQ(view.Cell(1, 2), "c2");
    EXPECT_EQ(view.RowTag(2), 2);

    for (auto& e : entries) e.checked = false;
    view.Refresh(entries, nullptr);
    EXPECT_EQ(view.ColCount(), 0);
    EXPECT_EQ(view.DataRowCount(), 2);
    EXPECT_EQ(view.TotalText(), "2 of 2");
}

TEST(LogView, HeaderOnlyFileIsZeroOfZero) {
    LogBase base;
    LoadCSV(base, "Date,Gross\r\n");
    LogView view(base);
    view.Refresh(FieldEntries(base, true), nullptr);
    EXPECT_EQ(view.TotalText(), "0 of 0");
}

TEST(FieldEntries, MoveUpAndDownLimits) {
    std::vector<FieldEntry> e{{"a", 0, true}, {"b", 1, false}, {"c", 2, true}};
    EXPECT_EQ(MoveEntryUp(e, 0), -1);
    EXPECT_EQ(MoveEntryUp(e, -1), -1);
    EXPECT_EQ(MoveEntryDown(e, 2), -1);
    EXPECT_EQ(MoveEntryDown(e, 0), 1);
    EXPECT_EQ(e[1], (FieldEntry{"a", 0, true}));  // the check mark travels
    EXPECT_EQ(e[0], (FieldEntry{"b", 1, false}));
    std::vector<FieldEntry> one{{"a", 0, true}};
    EXPECT_EQ(MoveEntryDown(one, 0), -1);
}

TEST(LogView, SortsNumbersDatesAndTextsStably) {
    SetProgramDateFormat(DateOrder::YearMonthDay);
    LogBase base;
    LoadCSV(base,
            "Id,Amount,Date,Name\r\n"
            "1,10,2001/02/01,bob\r\n"
            "2,-2.5,2000/12/31,Alice\r\n"
            "3,\"1,000.00\",2001/01/15,alice\r\n"
            "4,9,2001/02/01,Bob\r\n"
            "5,10,2000/02/11,bob\r\n");
    LogView view(base);
    view.Refresh(FieldEntries(base, true), nullptr);
    view.SortByField(1);
    EXPECT_EQ(Column(view, 0), (Strings{"2", "4", "1", "5", "3"}));  // numbers, stable on ties
    view.SortByField(2);
    EXPECT_EQ(Column(view, 0), (Strings{"5", "2", "3", "4", "1"}));  // dates, not texts
    view.SortByField(3);
    EXPECT_EQ(Column(view, 0), (Strings{"2", "4", "3", "5", "1"}));  // byte codes, case counts
    EXPECT_EQ(view.RowTag(1), 2);
    view.SortByField(-1);
    EXPECT_EQ(Column(view, 0), (Strings{"2", "4", "3", "5", "1"}));
}

TEST(LogView, SortBoxTextFindsTheFirstFieldIgnoringCase) {
    const Strings names{"  Gross", "Net", "NET"};
    EXPECT_EQ(SortField(names, "None"), -1);
    EXPECT_EQ(SortField(names, "net"), 1);
    EXPECT_EQ(SortField(names, "  gross"), 0);
    EXPECT_EQ(SortField(names, "Gross"), -1);
}

TEST(SortKeyOf, KindsOfCells) {
    using K = LogBase::SortKind;
    EXPECT_EQ(SortKeyOf("-1,234.50").kind, K::Number);
    EXPECT_DOUBLE_EQ(SortKeyOf("-1,234.50").value, -1234.5);
    EXPECT_EQ(SortKeyOf("12 ").kind, K::Text);
    EXPECT_EQ(SortKeyOf("").kind, K::Text);
    EXPECT_EQ(SortKeyOf("-").kind, K::Text);
    SetProgramDateFormat(DateOrder::MonthDayYear);
    EXPECT_EQ(SortKeyOf("1/31/2001").kind, K::Date);
    EXPECT_EQ(SortKeyOf("2001/01/31").kind, K::Text);  // not a date in this format
}
