#include "report_fixture.h"

#include "analyzer/stats.h"

#include <cmath>
#include <random>

using namespace pellard;
using periods_test::Cells;
using periods_test::Column;
using periods_test::Log;

namespace {

// ---- the period report done the plain way: every view row read again for
// every bucket, every text converted where it is used ----

std::pair<Day, Day> PlainDateRange(const LogView& view, std::optional<int> col, Day today) {
    if (!col) return {today, today};
    auto dateOf = [&](int r) { return DateValue(view.Cell(*col, r)); };
    Day first = today, last = today;
    if (view.RowCount() > 1) {
        if (auto d = dateOf(1)) first = *d;
        if (auto d = dateOf(1)) last = *d;
    }
    for (int r = 1; r < view.RowCount(); ++r) {
        if (auto d = dateOf(r)) {
            if (*d < first) first = *d;
            if (*d > last) last = *d;
        }
    }
    return {first, last};
}

brenvik::StringTable PlainPeriodReport(int kind, const ReportInput& in) {
    const LogView& view = *in.view;
    const int col = *in.dateColumn;
    brenvik::StringTable t;
    const char* titles[] = {"", "Day of the week", "Day", "Week Starting", "Month"};
    t.SetSize(2, 1);
    t.SetCell(0, 0, titles[kind]);
    t.SetCell(1, 0, "Total Transactions");
    std::vector<FieldEntry> fields;
    for (const auto& f : in.valueFields)
        if (f.checked) fields.push_back(f);
    const int n = static_cast<int>(fields.size());
    for (const char* word : {"Total", "Average", "High", "Low"})
        for (const auto& f : fields) {
            t.SetColCount(t.ColCount() + 1);
            t.SetCell(t.ColCount() - 1, 0, std::string(word) + " " + f.name);
        }
    auto [first, last] = PlainDateRange(view, in.dateColumn, in.today);
    if (last < first) std::swap(first, last);
    const YMD f = YMDFromDay(first), l = YMDFromDay(last);
    long buckets = kind == 1   ? 7
                   : kind == 2 ? last - first + 1
                   : kind == 3 ? std::lround((last - first) / 7.0 + 1)
                               : (l.year - f.year) * 12 + (l.month - f.month) + 1;
    t.SetRowCount(static_cast<int>(buckets) + 1);
    const char* days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                          "Thursday", "Friday", "Saturday"};
    for (long k = 0; k < buckets; ++k) {
        const int row = static_cast<int>(k) + 1;
        int year = f.year + static_cast<int>((f.month - 1 + k) / 12);
        int month = static_cast<int>((f.month - 1 + k) % 12) + 1;
        char monthLabel[16];
        std::snprintf(monthLabel, sizeof monthLabel, "%04d/%02d", year, month);
        t.SetCell(0, row,
                  kind == 1   ? std::string(days[k])
                  : kind == 2 ? FormatDay(first + k)
                  : kind == 3 ? FormatDay(first + 7 * k)
                              : std::string(monthLabel));
        int count = 0;
        std::vector<std::vector<std::string>> lists(fields.size());
        for (int r = 1; r < view.RowCount(); ++r) {
            auto d = DateValue(view.Cell(col, r));
            if (!d) continue;
            const YMD ymd = YMDFromDay(*d);
            const bool in = kind == 1   ? DayOfWeek(*d) == k && *d >= first && *d <= last
                            : kind == 2 ? *d - first == k
                            : kind == 3 ? std::lround((*d - first) / 7.0) == k
                                        : ymd.year == year && ymd.month == month;
            if (!in) continue;
            ++count;
            for (std::size_t i = 0; i < fields.size(); ++i)
                lists[i].emplace_back(view.Base().Cell(fields[i].field, view.RowTag(r)));
        }
        t.SetCell(1, row, std::to_string(count));
        for (int i = 0; i < n; ++i) {
            if (lists[i].empty()) continue;
            t.SetCell(2 + i, row, GetSumFromList(lists[i], in.absolute));
            t.SetCell(2 + n + i, row, GetMeanFromList(lists[i], in.absolute));
            t.SetCell(2 + 2 * n + i, row, GetHighFromList(lists[i], in.absolute));
            t.SetCell(2 + 3 * n + i, row, GetLowFromList(lists[i], in.absolute));
        }
    }
    return t;
}

std::string RandomLog(std::mt19937& rng, int rows) {
    const char* amounts[] = {"12.50", "-3",  "0",   "$5.00", "",      "1,234.56",
                             " 7.25", "100", "abc", "2e3",   "-0.125"};
    const char* bad[] = {"", "abc", "2001/13/01", "2001/02/30", "  "};
    std::string csv = "Date,Gross,Fee,Name\n";
    std::uniform_int_distribution<int> pick(0, 99);
    for (int i = 0; i < rows; ++i) {
        if (pick(rng) < 8) {
            csv += bad[pick(rng) % 5];
        } else {
            const Day d = DayFromYMD(2000, 12, 15) + pick(rng) % 90;
            csv += FormatDay(d);
        }
        csv += ",";
        csv += amounts[pick(rng) % 11];
        csv += ",";
        csv += std::to_string(pick(rng) - 50) + "." + std::to_string(pick(rng) % 10);
        csv += ",n" + std::to_string(pick(rng) % 5) + "\n";
    }
    return csv;
}

class PeriodReports : public testing::Test {
protected:
    void SetUp() override { SetProgramDateFormat(DateOrder::YearMonthDay); }
    void TearDown() override { SetProgramDateFormat(DateOrder::MonthDayYear); }

    static brenvik::StringTable Report(int kind, const ReportInput& in) {
        brenvik::StringTable t;
        EXPECT_TRUE(GeneratePeriodReport(kind, in, t));
        return t;
    }
};

}  // namespace

TEST_F(PeriodReports, OnePassMatchesThePlainProcedure) {
    std::mt19937 rng(20010130);
    for (int round = 0; round < 12; ++round) {
        const int rows = round == 0 ? 0 : round == 1 ? 1 : 1 + static_cast<int>(rng() % 300);
        Log log(RandomLog(rng, rows));
        ASSERT_EQ(log.view->DataRowCount(), rows);
        for (bool absolute : {false, true}) {
            ReportInput in =
                log.Input(round % 3 == 0 ? std::vector<int>{} : std::vector<int>{1, 2, 3});
            in.absolute = absolute;
            for (int kind = 1; kind <= 4; ++kind) {
                const auto fast = Report(kind, in);
                const auto plain = PlainPeriodReport(kind, in);
                ASSERT_EQ(Cells(fast), Cells(plain)) << "kind " << kind << ", round " << round;
                for (int c = 2; c < fast.ColCount(); ++c)
                    EXPECT_EQ(fast.Tag(c, 0), in.valueFields[(c - 2) % 3].field);
            }
        }
    }
}

TEST_F(PeriodReports, MonthlyRowsCoverEveryMonthTouched) {
    Log log("Date,Gross\n2001/03/02,5\n2001/01/30,1\n2001/01/31,2\n");
    const auto t = Report(reportkind::Monthly, log.Input({1}));
    EXPECT_EQ(Cells(t), (std::vector<std::vector<std::string>>{
                            {"Month", "Total Transactions", "Total Gross", "Average Gross",
                             "High Gross", "Low Gross"},
                            {"2001/01", "2", "3.00", "1.50", "2.00", "1.00"},
                            {"2001/02", "0", "", "", "", ""},
                            {"2001/03", "1", "5.00", "5.00", "5.00", "5.00"}}));
}

TEST_F(PeriodReports, WeeksAreCentredOnTheirLabels) {
    // 2001/01/03 is a Wednesday; Sunday 2001/01/07 is four days on.
    Log log("Date,Gross\n2001/01/03,1\n2001/01/06,2\n2001/01/07,4\n2001/01/17,8\n");
    const auto t = Report(reportkind::Weekly, log.Input({1}));
    EXPECT_EQ(t.Cell(0, 0), "Week Starting");
    EXPECT_EQ(Column(t, 0), (std::vector<std::string>{"2001/01/03", "2001/01/10", "2001/01/17"}));
    EXPECT_EQ(Column(t, 1), (std::vector<std::string>{"2", "1", "1"}));
    EXPECT_EQ(Column(t, 2), (std::vector<std::string>{"3.00", "4.00", "8.00"}));
}

TEST_F(PeriodReports, DailyShowsDaysWithoutTransactions) {
    Log log("Date,Gross\n2001/01/01,1\n2001/01/03,2\n");
    const auto t = Report(reportkind::Daily, log.Input({1}));
    EXPECT_EQ(Column(t, 0), (std::vector<std::string>{"2001/01/01", "2001/01/02", "2001/01/03"}));
    EXPECT_EQ(Cells(t)[2], (std::vector<std::string>{"2001/01/02", "0", "", "", "", ""}));
}

TEST_F(PeriodReports, UnreadableFirstDateWidensToToday) {
    const Day today = Today();
    const Day start = today - 40;
    Log log("Date,Gross\nsoon,9\n" + FormatDay(start) + ",1\n");
    const auto [first, last] = GetDateRange(*log.view, 0, today);
    EXPECT_EQ(first, start);
    EXPECT_EQ(last, today);
    const auto t = Report(reportkind::Daily, log.Input({1}));
    ASSERT_EQ(t.RowCount(), 42);
    EXPECT_EQ(t.Cell(0, 41), FormatDay(today));
    EXPECT_EQ(t.Cell(1, 1), "1");  // the unreadable row is counted nowhere
    EXPECT_EQ(t.Cell(1, 41), "0");
}

TEST_F(PeriodReports, NoRowsGiveTodaysBucket) {
    Log log("Date,Gross\n");
    for (int kind : {reportkind::Daily, reportkind::Weekly, reportkind::Monthly}) {
        const auto t = Report(kind, log.Input({1}));
        ASSERT_EQ(t.RowCount(), 2) << kind;
        EXPECT_EQ(t.Cell(1, 1), "0");
    }
    EXPECT_EQ(Report(reportkind::Daily, log.Input({1})).Cell(0, 1), FormatDay(Today()));
    const auto week = Report(reportkind::DayOfWeek, log.Input({1}));
    EXPECT_EQ(Column(week, 0), (std::vector<std::string>{"Sunday", "Monday", "Tuesday", "Wednesday",
                                                         "Thursday", "Friday", "Saturday"}));
    EXPECT_EQ(Column(week, 1), std::vector<std::string>(7, "0"));
    EXPECT_EQ(GetDateRange(*log.view, std::nullopt, 77), (std::pair<Day, Day>{77, 77}));
}

TEST_F(PeriodReports, WithoutValueFieldsOnlyLabelAndCount) {
    Log log("Date,Gross\n2001/01/01,1\n");
    const auto t = Report(reportkind::Daily, log.Input({}));
    EXPECT_EQ(Cells(t), (std::vector<std::vector<std::string>>{{"Day", "Total Transactions"},
                                                               {"2001/01/01", "1"}}));
}

TEST_F(PeriodReports, WithoutDateFieldNothingChanges) {
    Log log("Date,Gross\n2001/01/01,1\n");
    brenvik::StringTable t;
    t.SetCell(0, 0, "old");
    EXPECT_EQ(GenerateReport(reportkind::Daily, log.Input({1}, std::nullopt), {}, t),
              ReportProblem::NoDateField);
    EXPECT_EQ(t.Cell(0, 0), "old");
    EXPECT_EQ(GenerateReport(std::nullopt, log.Input({1}), {}, t), ReportProblem::NoReportType);
    EXPECT_EQ(GenerateReport(7, log.Input({1}), {}, t), ReportProblem::NoReportType);
    EXPECT_EQ(GenerateReport(105, log.Input({1}), {}, t),
              ReportProblem::NoReportType);  // no view column 5
    EXPECT_EQ(t.Cell(0, 0), "old");
    EXPECT_STREQ(ReportProblemText(ReportProblem::NoDateField), "Please select date field.");
}

TEST_F(PeriodReports, ExtremeMarks) {
    brenvik::StringTable t;
    t.SetSize(4, 5);
    const char* cells[4][3] = {
        {"3", "5.00", "2"}, {"7", "5.00", ""}, {"1", "5.00", "-9"}, {"7", "5.00", "x"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) t.SetCell(c + 1, r + 1, cells[r][c]);
    FindExtremes(t, false);
    auto marks = [&](int c) {
        std::vector<Mark> m;
        for (int r = 1; r < t.RowCount(); ++r) m.push_back(MarkOf(t, c, r));
        return m;
    };
    using enum Mark;
    EXPECT_EQ(marks(1), (std::vector<Mark>{None, High, Low, High}));
    EXPECT_EQ(marks(2), (std::vector<Mark>{Low, Low, Low, Low}));  // all equal: low wins
    EXPECT_EQ(marks(3), (std::vector<Mark>{High, None, Low, None}));
    FindExtremes(t, true);  // absolute values: -9 is the highest
    EXPECT_EQ(marks(3), (std::vector<Mark>{Low, None, High, None}));
}

TEST(ReportList, EntriesAndChoice) {
    Log log("Date, Gross,  ,Name\n");
    const auto entries = AvailableReports(*log.view);
    std::vector<std::string> texts;
    for (const auto& e : entries) texts.push_back(e.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Day of the Week Summary", "Daily Summary",
                                               "Weekly Summary", "Monthly Summary",
                                               "Country Summary", "Custom Report", "Date Summary",
                                               "Gross Summary", "Name Summary"}));
    EXPECT_EQ(entries.back().kind, 103);
    EXPECT_EQ(ChosenReportKind(entries, 1, "whatever"), 2);
    EXPECT_EQ(ChosenReportKind(entries, -1, "gross SUMMARY"), 101);
    EXPECT_EQ(ChosenReportKind(entries, -1, "Gross"), std::nullopt);
}

TEST(ReportList, NoSummaryBeyondColumn99) {
    std::string header;
    for (int c = 0; c < 101; ++c) header += (c ? ",F" : "F") + std::to_string(c);
    Log log(header + "\n" + std::string(100, ',') + "\n");
    const auto entries = AvailableReports(*log.view);
    ASSERT_EQ(entries.back().text, "F100 Summary");
    brenvik::StringTable t;
    EXPECT_EQ(GenerateReport(entries.back().kind, log.Input({}), {}, t),
              ReportProblem::NoReportType);
    EXPECT_EQ(GenerateReport(entries[entries.size() - 2].kind, log.Input({}), {}, t),
              ReportProblem::None);
    EXPECT_EQ(Column(t, 0), (std::vector<std::string>{"BLANK"}));
}
