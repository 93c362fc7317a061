// The analyzer's transaction files (comma-separated, field names in the
// first row) through what opening one does: the names trimmed, every field
// shown, statistics, and each report on the first date column. The first
// byte picks the date order; the rest is the file.
#include "analyzer/logview.h"
#include "analyzer/reports.h"
#include "analyzer/stats.h"
#include "analyzer/summaries.h"
#include "analyzer/values.h"
#include "fuzz/fuzz.h"
#include "store/core/error.h"
#include "store/core/stringtable.h"

#include <optional>

using namespace pellard;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    SetProgramDateFormat((data[0] & 1) ? DateOrder::MonthDayYear : DateOrder::YearMonthDay);
    LogBase base;
    try {
        base.LoadBytes(fuzz::Bytes(data + 1, size - 1));
    } catch (const brenvik::StoreError&) {
        return 0;
    }
    base.TrimNames();
    LogView view(base);
    view.Refresh(FieldEntries(base, true), nullptr);
    view.SortByField(base.FieldCount() - 1);

    ReportInput in;
    in.view = &view;
    in.valueFields = DefaultStatisticsFields(base);
    in.today = DayFromYMD(2024, 6, 15);
    const auto dates = view.DateColumns();
    if (!dates.empty()) in.dateColumn = dates.front().column;
    const auto addresses = view.AddressColumns();
    if (!addresses.empty()) in.addressColumn = addresses.front().column;
    (void)StatTable(CalculateStats(view, in.valueFields, data[0] & 2));

    CustomReportSettings custom;
    custom.fieldName = std::string(base.Name(0));
    custom.values = {"a", "1"};
    for (const int kind :
         {reportkind::DayOfWeek, reportkind::Daily, reportkind::Weekly, reportkind::Monthly,
          reportkind::Country, reportkind::Custom, reportkind::FieldSummary}) {
        brenvik::StringTable report;
        if (GenerateReport(kind, in, custom, report) == ReportProblem::None)
            FindExtremes(report, false);
    }
    return 0;
}
