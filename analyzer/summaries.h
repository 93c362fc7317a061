#pragma once
// Value summaries: one report row per value of a field. The field summary
// takes the distinct values of a view column, the country summary the
// country list matched inside an address column, and the custom report the
// user's own values and matching rules.
#include "analyzer/reports.h"

#include <string>
#include <string_view>
#include <vector>

namespace pellard {

// One row per value, in list order: a view row is counted in every row whose
// value it matches. The cell is taken without leading blanks ("BLANK" when
// that leaves nothing); without `caseSensitive` letters A to Z are compared
// lower-cased; `partial` matches a value found anywhere in the cell (an empty
// value never matches), otherwise the whole cell must equal it.
void GenerateSummaryReport(const ReportInput& in, int column,
                           const std::vector<std::string>& values, bool partial, bool caseSensitive,
                           brenvik::StringTable& table);

// The texts sorted without regard to case, keeping the first met of those
// that differ only in case.
std::vector<std::string> SortedDistinctNoCase(const std::vector<std::string>& texts);

// The field summary's values: the distinct cells of a view column.
std::vector<std::string> FieldSummaryValues(const LogView& view, int column);
// The country list without leading blanks, empty lines and case duplicates.
std::vector<std::string> CountryValues();

void GenerateFieldSummary(int column, const ReportInput& in, brenvik::StringTable& table);
ReportProblem GenerateCountrySummary(const ReportInput& in, brenvik::StringTable& table);
ReportProblem GenerateCustomReport(const ReportInput& in, const CustomReportSettings& custom,
                                   brenvik::StringTable& table);

// The lines of a multi-line text as a memo holds them: a final line break
// ends the last line rather than starting an empty one; no text, no lines.
std::vector<std::string> TextLines(std::string_view text);

// "Generate": builds the report of `kind` into `table`, which stays as it
// was when a problem is reported. Marks are not set here (FindExtremes).
ReportProblem GenerateReport(std::optional<int> kind, const ReportInput& in,
                             const CustomReportSettings& custom, brenvik::StringTable& table);

}  // namespace pellard
