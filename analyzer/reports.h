#pragma once
// Report tables of the analysis: the list of report kinds, the common table
// layout (label, count, then total, average, high and low of each value
// field), the four period reports, the date range they cover, and the high
// and low marks of each column. Everything here is plain logic; the window
// and the command-line tool only show or write the tables it builds.
#include "analyzer/logview.h"
#include "analyzer/stats.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pellard {

// Report kinds: the four periods, the country summary, the custom report,
// and 100 + c for the summary of view column c.
namespace reportkind {
inline constexpr int DayOfWeek = 1;
inline constexpr int Daily = 2;
inline constexpr int Weekly = 3;
inline constexpr int Monthly = 4;
inline constexpr int Country = 12;
inline constexpr int Custom = 13;
inline constexpr int FieldSummary = 100;
inline constexpr int LastFieldSummary = 199;
}  // namespace reportkind

struct ReportEntry {
    std::string text;
    int kind = 0;
    bool operator==(const ReportEntry&) const = default;
};
// The fixed entries, then "<name> Summary" for every view column whose name
// is neither empty nor " ".
std::vector<ReportEntry> AvailableReports(const LogView& view);
// The kind chosen: the selected entry's (-1 for none), else that of the first
// entry equal to the typed text without regard to case.
std::optional<int> ChosenReportKind(const std::vector<ReportEntry>& entries, int selected,
                                    std::string_view typed);

// Marks of the data cells of a report table, kept as the cells' tags (the
// header cells' tags hold the value fields' indexes).
enum class Mark : std::int64_t { None = 0, High = 1, Low = 2 };
inline Mark MarkOf(const brenvik::StringTable& t, int col, int row) {
    return row > 0 && col > 0 ? static_cast<Mark>(t.Tag(col, row)) : Mark::None;
}

// What every report works on.
struct ReportInput {
    const LogView* view = nullptr;
    std::vector<FieldEntry> valueFields;  // the statistics field set; checked ones count
    bool absolute = false;                // "Absolute Values"
    std::optional<int> dateColumn;        // view column chosen as "Date Field:"
    std::optional<int> addressColumn;     // view column chosen as "Address Field"
    Day today = 0;
};

// Appends one column per checked value field headed "<word> <name>", its
// header cell tagged with the field index; returns how many.
int AddReportColumns(brenvik::StringTable& table, std::string_view word,
                     const std::vector<FieldEntry>& fields);
// Row 0 of a report: label title, "Total Transactions", then the value
// columns for "Total", "Average", "High" and "Low". Returns the field count.
int StartReportTable(brenvik::StringTable& table, std::string_view title,
                     const std::vector<FieldEntry>& fields);

// The figures of the rows of a report: per report row, the count of the
// transactions counted in it and each value field's running figures. Rows
// are filled in any order, each transaction read once.
class ReportFigures {
public:
    ReportFigures(const LogBase& base, const std::vector<FieldEntry>& fields, bool absolute,
                  std::size_t rows);
    void Add(std::size_t row, int baseRow);
    // Writes report row `row` into table row `row` + 1: the count, then each
    // value field's four figures (empty cells when none were counted).
    void Write(brenvik::StringTable& table, std::size_t row) const;

private:
    bool absolute_;
    std::vector<const NumberColumn*> numbers_;
    std::vector<std::size_t> counts_;
    // Figures only for the rows that counted something (a stray date can
    // make millions of empty days): slot + 1 per row, 0 for none.
    std::vector<std::uint32_t> slots_;
    std::vector<FigureAccumulator> acc_;  // used rows x fields
};

// First and last date of the date column over the view: view row 1's date
// (today when unreadable or when there are no rows), widened by every
// readable date. With no date column both are today.
std::pair<Day, Day> GetDateRange(const LogView& view, std::optional<int> dateColumn, Day today);

// The label of bucket k of a period report starting on `first`.
std::string PeriodLabel(int kind, Day first, long k);

// The period reports, each transaction dated once and put in its bucket.
// Nothing is done (and false returned) without a date column.
bool GeneratePeriodReport(int kind, const ReportInput& in, brenvik::StringTable& table);

// Marks in every column from 1 the rows of the highest valid value as high
// and then those of the lowest as low (a cell both highest and lowest ends
// low); absolute values when `absolute`.
void FindExtremes(brenvik::StringTable& table, bool absolute);

// The messages of the report page.
enum class ReportProblem {
    None,
    NoReportType,
    NoDateField,
    NoAddressField,
    NoCustomField,
    NoCustomValues,
};
const char* ReportProblemText(ReportProblem p);

// The custom report's settings, kept per analysis window.
struct CustomReportSettings {
    std::string fieldName;
    std::vector<std::string> values;
    bool partialMatch = true;
    bool caseSensitive = false;
};

}  // namespace pellard
