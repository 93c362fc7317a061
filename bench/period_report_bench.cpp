// Period reports on a large file: a daily report over ten years of rows
// against one plain pass over the same rows.
//   bench_period_report_bench [rows]   (default 1000000)
#include "analyzer/reports.h"
#include "analyzer/summaries.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

using namespace pellard;

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
}  // namespace

int main(int argc, char** argv) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    SetProgramDateFormat(DateOrder::YearMonthDay);
    std::mt19937 rng(7);
    std::string csv = "Date,Gross,Fee,Net,Status\r\n";
    const Day start = DayFromYMD(2010, 1, 1);
    for (int i = 0; i < rows; ++i) {
        const Day d = start + static_cast<Day>(rng() % 3653);
        const int cents = static_cast<int>(rng() % 100000);
        csv += FormatDay(d) + "," + std::to_string(cents / 100) + "." +
               std::to_string(cents % 100) + ",0.30," + std::to_string(cents / 200) +
               (i % 3 ? ",Completed\r\n" : ",Pending\r\n");
    }
    LogBase base;
    base.LoadBytes(csv);
    LogView view(base);
    view.Refresh(FieldEntries(base, true), nullptr);

    ReportInput in;
    in.view = &view;
    in.valueFields = {{"Gross", 1, true}, {"Fee", 2, true}, {"Net", 3, true}};
    in.dateColumn = 0;
    in.today = Today();

    // One pass: every date and value read once (what the report also pays).
    auto t0 = std::chrono::steady_clock::now();
    long double sum = 0;
    const auto& dates = base.Dates(0);
    for (int f = 1; f <= 3; ++f)
        for (int r : view.Rows()) sum += base.Numbers(f)[r].value + dates[r];
    const double pass = Seconds(t0);

    for (int kind :
         {reportkind::Daily, reportkind::Weekly, reportkind::Monthly, reportkind::DayOfWeek}) {
        brenvik::StringTable out;
        t0 = std::chrono::steady_clock::now();
        GeneratePeriodReport(kind, in, out);
        FindExtremes(out, false);
        std::printf("kind %d: %d rows in %.3f s\n", kind, out.RowCount() - 1, Seconds(t0));
    }
    brenvik::StringTable out;
    t0 = std::chrono::steady_clock::now();
    GenerateFieldSummary(4, in, out);
    std::printf("field summary: %d rows in %.3f s\n", out.RowCount() - 1, Seconds(t0));
    in.addressColumn = 4;
    t0 = std::chrono::steady_clock::now();
    GenerateCountrySummary(in, out);
    std::printf("country summary: %d rows in %.3f s\n", out.RowCount() - 1, Seconds(t0));
    std::printf("one pass (dates and numbers read and cached): %.3f s (%d rows, check %.0Lf)\n",
                pass, rows, sum);
}
