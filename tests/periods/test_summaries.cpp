#include "report_fixture.h"

#include "analyzer/countries.h"
#include "analyzer/summaries.h"

#include <algorithm>

using namespace pellard;
using periods_test::Cells;
using periods_test::Column;
using periods_test::Log;
using Strings = std::vector<std::string>;

TEST(FieldSummary, MergesCaseAndCountsBlanks) {
    Log log(
        "Status,Gross\nCompleted,1\ncompleted,2\nPending,4\n,8\nBLANK,16\n   ,32\n  "
        "Pending,64\nblank,128\n");
    brenvik::StringTable t;
    ASSERT_EQ(GenerateReport(100, log.Input({1}), {}, t), ReportProblem::None);
    EXPECT_EQ(t.Cell(0, 0), "Status");
    // A cell of blanks is matched as one blank and sorts before the letters.
    EXPECT_EQ(Column(t, 0), (Strings{" ", "BLANK", "Completed", "Pending"}));
    EXPECT_EQ(Column(t, 1), (Strings{"1", "3", "2", "2"}));
    EXPECT_EQ(Column(t, 2), (Strings{"32.00", "152.00", "3.00", "68.00"}));
}

TEST(FieldSummary, ValuesAreFirstSpellingSorted) {
    EXPECT_EQ(SortedDistinctNoCase({"b", "A", "a", "B", "c"}), (Strings{"A", "b", "c"}));
    Log log("Name\nzed\n\nAlpha\n");
    EXPECT_EQ(FieldSummaryValues(*log.view, 0), (Strings{"Alpha", "BLANK", "zed"}));
}

TEST(CountrySummary, ListAsStored) {
    EXPECT_EQ(kCountries.size(), 174u);
    EXPECT_EQ(kCountries[0], "Ireland");
    EXPECT_EQ(kCountries.back(), "Venezuela");
    EXPECT_EQ(std::count(kCountries.begin(), kCountries.end(), " Antigua"), 1);
    const Strings values = CountryValues();
    EXPECT_EQ(values.size(), 172u);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end(), [](const auto& a, const auto& b) {
        return LowerCase(a) < LowerCase(b);
    }));
    for (const char* v : {"Antigua", "Botswana ", "Eritria ", "Czech Republic\t", "Slovokia\t",
                          "Ireland", "Russia"})
        EXPECT_EQ(std::count(values.begin(), values.end(), v), 1) << v;
}

TEST(CountrySummary, MatchesPartsOfTheAddress) {
    Log log(
        "Date,Address,Gross\n"
        "2001/01/01,12 Main St Lagos NIGERIA,5\n"
        "2001/01/02,Prague Czech Republic,7\n"
        "2001/01/03,Cork ireland,1\n");
    ReportInput in = log.Input({2});
    brenvik::StringTable t;
    EXPECT_EQ(GenerateReport(reportkind::Country, in, {}, t), ReportProblem::NoAddressField);
    in.addressColumn = 1;
    ASSERT_EQ(GenerateReport(reportkind::Country, in, {}, t), ReportProblem::None);
    ASSERT_EQ(t.RowCount(), 173);
    EXPECT_EQ(t.Cell(0, 0), "Address");
    auto countOf = [&](const std::string& country) {
        for (int r = 1; r < t.RowCount(); ++r)
            if (t.Cell(0, r) == country) return t.CellText(1, r);
        return std::string("missing");
    };
    EXPECT_EQ(countOf("Niger"), "1");  // inside "Nigeria"
    EXPECT_EQ(countOf("Nigeria"), "1");
    EXPECT_EQ(countOf("Czech Republic\t"), "0");  // its tab is part of it
    EXPECT_EQ(countOf("Ireland"), "1");
    EXPECT_EQ(countOf("France"), "0");
}

TEST(CustomReport, MessagesAndMatching) {
    Log log("Card,Gross\nVISA Debit,5\nMasterCard,7\nvisa,1\n");
    ReportInput in = log.Input({1}, std::nullopt);
    brenvik::StringTable t;
    CustomReportSettings custom;  // as after activation: no field, no values
    EXPECT_EQ(GenerateReport(reportkind::Custom, in, custom, t), ReportProblem::NoCustomField);
    custom.fieldName = "card";  // names are compared exactly
    custom.values = {"Visa"};
    EXPECT_EQ(GenerateReport(reportkind::Custom, in, custom, t), ReportProblem::NoCustomField);
    custom.fieldName = "Card";
    custom.values.clear();
    EXPECT_EQ(GenerateReport(reportkind::Custom, in, custom, t), ReportProblem::NoCustomValues);
    EXPECT_EQ(t.RowCount(), 1);

    custom.values = {"Visa", "MasterCard", ""};
    ASSERT_EQ(GenerateReport(reportkind::Custom, in, custom, t), ReportProblem::None);
    EXPECT_EQ(Column(t, 0), (Strings{"Visa", "MasterCard", ""}));
    EXPECT_EQ(Column(t, 1), (Strings{"2", "1", "0"}));  // an empty value never matches
    custom.caseSensitive = true;
    GenerateReport(reportkind::Custom, in, custom, t);
    EXPECT_EQ(Column(t, 1), (Strings{"0", "1", "0"}));
    custom.caseSensitive = false;
    custom.partialMatch = false;
    custom.values = {"visa", "Visa"};  // a value listed twice gets its row twice
    GenerateReport(reportkind::Custom, in, custom, t);
    EXPECT_EQ(Cells(t)[1], (Strings{"visa", "1", "1.00", "1.00", "1.00", "1.00"}));
    EXPECT_EQ(Cells(t)[2], (Strings{"Visa", "1", "1.00", "1.00", "1.00", "1.00"}));
}

TEST(CustomReport, ValueLinesAsAMemoHoldsThem) {
    EXPECT_EQ(TextLines(""), Strings{});
    EXPECT_EQ(TextLines("\n"), (Strings{""}));
    EXPECT_EQ(TextLines("Visa\n\nAmex"), (Strings{"Visa", "", "Amex"}));
    EXPECT_EQ(TextLines("Visa\r\nAmex\r\n"), (Strings{"Visa", "Amex"}));
}
