#pragma once
// The table report: which records of a source table appear (all, the
// checked ones, or those passing per-field criteria chosen by the field's
// type code), the display table with its empty row and totals row, the
// report table of the chosen columns, and the header and footer captions.
#include "store/core/datetext.h"
#include "store/core/stringtable.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The criterion slots of the dialog: fields 0 to 100.
inline constexpr int kReportCriterionSlots = 101;

enum class RecordMode { AllRecords, CheckedRecords, QuickSearchRecords };

// What entering a criterion on a field of this type code opens.
enum class CriterionEntry { DateRange, EnterValue, NumericRange };
CriterionEntry CriterionEntryFor(int code);
// Whether a column of this type code gets a total.
inline bool HasReportTotal(int code) { return code > 76; }

// A field's criterion: the text shown for it (it takes part only while that
// is not empty) and its range.
struct ReportCriterion {
    std::string text;
    std::string from;
    std::string to;
    bool Active() const { return !text.empty(); }
};

// The source of a report: row 0 headings, rows 1.. records. A record is
// checked when the tag of its column-0 cell is above 0.
struct ReportSource {
    StringTable table;
    std::vector<int> codes;  // type code per column; a missing one counts as text
    int Code(int column) const {
        return column >= 0 && column < int(codes.size()) ? codes[std::size_t(column)] : 2;
    }
};

class Store;

// The inventory report's source: the inventory table, item k (row k + 1)
// checked when `checked(k)`, the schema's type codes.
ReportSource InventoryReportSource(const Store& store,
                                   const std::function<bool(int item)>& checked);
// A table whose columns are typed by their headings, nothing checked (the
// customer report, the printed quick sales report).
ReportSource HeadingTypedSource(const StringTable& table);

// Type codes of a table without a schema: 1 (date) for a heading that
// contains "date" in any case, otherwise 2 (text).
std::vector<int> CodesByHeading(const StringTable& table);

// The criterion test of one cell. Dates compare whole (an empty cell is
// `today`; a cell or bound that does not read as a date rejects; an empty
// bound is open). Numbers are read as money texts, so "$1,250.00" is 1250
// and a cell that still does not read is 0; a bound that does not read as a
// plain number is not applied. Codes 2 and 4 compare the whole cell ignoring
// case; codes 3 and 5 to 50 never reject.
bool ReportCriterionPasses(int code, const ReportCriterion& c, std::string_view cell,
                           const Date& today);

// The records of `source` that the mode selects, in order (row numbers).
std::vector<int> SelectReportRecords(const ReportSource& source, RecordMode mode,
                                     const std::vector<ReportCriterion>& criteria,
                                     const Date& today);

// The display table: headings, the selected records, one empty row, then
// the totals row ("Total: " and the money sum under every column with a
// total; other cells empty).
StringTable BuildDisplayGrid(const ReportSource& source, RecordMode mode,
                             const std::vector<ReportCriterion>& criteria, const Date& today);

// Page positions of the page number and of today's date in a band.
enum class BandPosition { None, Left, Center, Right };

// The three captions of a header or footer: each text, a space, then " {PAGE}"
// and " " + today's date where they are placed.
std::array<std::string, 3> ComposeBandCaptions(const std::array<std::string, 3>& texts,
                                               BandPosition pageNumber, BandPosition date,
                                               const std::string& todayText);

}  // namespace brenvik
