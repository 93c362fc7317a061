#include "analyzer/filters.h"
#include "analyzer/stats.h"
#include "analyzer_fixture.h"

#include <gtest/gtest.h>

using namespace pellard;
using analyzer_test::LoadCSV;
using Strings = std::vector<std::string>;

namespace {

Strings Row(const StatRow& r) { return {r.name, r.sum, r.mean, r.high, r.low}; }

std::vector<StatRow> StatsOf(const std::string& csv, bool absolute) {
    LogBase base;
    LoadCSV(base, csv);
    LogView view(base);
    view.Refresh(FieldEntries(base, true), nullptr);
    return CalculateStats(view, DefaultStatisticsFields(base), absolute);
}

}  // namespace

TEST(Statistics, DefaultFieldsAreGrossFeeAndNet) {
    LogBase base;
    LoadCSV(base, "Date,Name, Gross,Fee,Net Amount,Note,Feedback\r\n");
    Strings checked;
    for (const auto& e : DefaultStatisticsFields(base))
        if (e.checked) checked.push_back(e.name);
    EXPECT_EQ(checked, (Strings{"Gross", "Fee", "Net Amount", "Feedback"}));
}

TEST(Statistics, InvalidTextsAddNothingButCountAndReadLeniently) {
    const auto rows = StatsOf("Gross,Fee\r\n10.00,1,234.56\r\n,\r\n20.00,\"1,234.5x\"\r\n", false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Row(rows[0]), (Strings{"Gross", "30.00", "10.00", "20.00", "0.00"}));
    // 1 and 234.56 are two cells on the first row; "1,234.5x" is worth 1 but adds nothing.
    EXPECT_EQ(Row(rows[1]), (Strings{"Fee", "1.00", "0.33", "1.00", "0.00"}));
    // Amounts with thousands groups read whole.
    EXPECT_EQ(Row(StatsOf("Gross\r\n\"1,234.56\"\r\n\"$-1,000\"\r\n", false)[0]),
              (Strings{"Gross", "234.56", "117.28", "1234.56", "-1000.00"}));
}

TEST(Statistics, AbsoluteValues) {
    EXPECT_EQ(Row(StatsOf("Net\r\n-5\r\n3\r\n", true)[0]),
              (Strings{"Net", "2.00", "1.00", "5.00", "3.00"}));
    EXPECT_EQ(Row(StatsOf("Net\r\n-50\r\n10\r\n20\r\n", true)[0]),
              (Strings{"Net", "20.00", "6.67", "50.00", "10.00"}));
    EXPECT_EQ(Row(StatsOf("Net\r\n-50\r\n10\r\n20\r\n", false)[0]),
              (Strings{"Net", "-20.00", "-6.67", "20.00", "-50.00"}));
}

TEST(Statistics, NoRowsLeftAndFailingRowsShowEmptyFigures) {
    LogBase base;
    LoadCSV(base, "Gross,Fee\r\n1e400,2\r\n3,4\r\n");
    LogView view(base);
    const auto fields = DefaultStatisticsFields(base);
    view.Refresh(FieldEntries(base, true), nullptr);
    auto rows = CalculateStats(view, fields, false);
    EXPECT_EQ(Row(rows[0]), (Strings{"Gross", "", "", "", ""}));
    EXPECT_EQ(Row(rows[1]), (Strings{"Fee", "6.00", "3.00", "4.00", "2.00"}));

    FilterTable filters;
    filters.SetFieldChoice(1, {"Fee", 1});
    filters.SetValue(1, "none such");
    FilterSet set(filters, base);
    view.Refresh(FieldEntries(base, true), &set);
    rows = CalculateStats(view, fields, false);
    EXPECT_EQ(Row(rows[1]), (Strings{"Fee", "", "", "", ""}));
    EXPECT_EQ(view.TotalText(), "0 of 2");

    const auto table = StatTable(rows);
    EXPECT_EQ(table.CellText(0, 0), "Field");
    EXPECT_EQ(table.CellText(4, 0), "Low");
    EXPECT_EQ(table.Tag(0, 2), 1);
    EXPECT_EQ(StatTable({}).CellText(0, 0), "");
}

TEST(Statistics, ListMembersAndStrictHighLow) {
    const Strings texts{"2.50", "x", "-1", "2.5"};
    EXPECT_EQ(GetSumFromList(texts, false), "4.00");
    EXPECT_EQ(GetMeanFromList(texts, false), "1.00");
    EXPECT_EQ(GetHighFromList(texts, false), "2.50");
    EXPECT_EQ(GetLowFromList(texts, false), "-1.00");
    EXPECT_EQ(GetSumFromList({}, false), "");
    // 80-bit sums: many cents add up exactly, and a small amount between two
    // large ones is kept (a double sum would lose it and give 0.00).
    EXPECT_EQ(GetSumFromList(Strings(100000, "0.01"), false), "1000.00");
    EXPECT_EQ(GetSumFromList({"1e17", "0.125", "-1e17"}, false), "0.13");
}
