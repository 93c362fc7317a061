#include "store/reports/tablereport.h"

#include "store/core/codepage.h"
#include "store/core/money.h"
#include "store/inventory/store.h"

#include <algorithm>
#include <optional>

namespace brenvik {

CriterionEntry CriterionEntryFor(int code) {
    if (code == 1) return CriterionEntry::DateRange;
    if (code <= 70) return CriterionEntry::EnterValue;
    return CriterionEntry::NumericRange;
}

std::vector<int> CodesByHeading(const StringTable& table) {
    std::vector<int> codes;
    for (int c = 0; c < table.ColCount(); ++c)
        codes.push_back(LowerWestern(table.Cell(c, 0)).find("date") != std::string::npos ? 1 : 2);
    return codes;
}

ReportSource InventoryReportSource(const Store& store,
                                   const std::function<bool(int item)>& checked) {
    ReportSource source;
    source.table = store.Data;
    for (int r = 1; r < source.table.RowCount(); ++r)
        source.table.SetTag(0, r, checked && checked(r - 1) ? 1 : -1);
    for (int c = 0; c < source.table.ColCount(); ++c)
        source.codes.push_back(c < store.FieldCount() ? store.Fields[std::size_t(c)].code
                                                      : int(FieldText));
    return source;
}

ReportSource HeadingTypedSource(const StringTable& table) {
    ReportSource source;
    source.table = table;
    // No check flags pass, whatever tags the table carries.
    for (int r = 1; r < source.table.RowCount(); ++r)
        if (source.table.Tag(0, r) != 0) source.table.SetTag(0, r, 0);
    source.codes = CodesByHeading(table);
    return source;
}

namespace {

bool DatePasses(const ReportCriterion& c, std::string_view cell, const Date& today) {
    std::optional<Date> date = cell.empty() ? std::optional<Date>(today) : ParseDate(cell);
    if (!date) return false;
    if (!c.from.empty()) {
        std::optional<Date> from = ParseDate(c.from);
        if (!from || *date < *from) return false;
    }
    if (!c.to.empty()) {
        std::optional<Date> to = ParseDate(c.to);
        if (!to || *date > *to) return false;
    }
    return true;
}

// A bound applies only when it is a plain number.
bool Bound(const std::string& text, long double& value) {
    return !text.empty() && ReadNumber(text, value);
}

bool NumberPasses(const ReportCriterion& c, std::string_view cell) {
    // Money and quantity cells may carry a currency sign or separators.
    long double value = 0;
    if (!ReadNumber(StripNonNumeric(cell), value)) value = 0;
    long double bound = 0;
    if (Bound(c.from, bound) && value < bound) return false;
    if (Bound(c.to, bound) && value > bound) return false;
    return true;
}

}  // namespace

bool ReportCriterionPasses(int code, const ReportCriterion& c, std::string_view cell,
                           const Date& today) {
    if (code == 1) return DatePasses(c, cell, today);
    if (code == 2 || code == 4) return LowerWestern(c.text) == LowerWestern(cell);
    if (code > 50) return NumberPasses(c, cell);
    return true;
}

std::vector<int> SelectReportRecords(const ReportSource& source, RecordMode mode,
                                     const std::vector<ReportCriterion>& criteria,
                                     const Date& today) {
    const StringTable& t = source.table;
    std::vector<int> rows;
    for (int r = 1; r < t.RowCount(); ++r) {
        bool selected = true;
        if (mode == RecordMode::CheckedRecords) {
            selected = t.Tag(0, r) > 0;
        } else if (mode == RecordMode::QuickSearchRecords) {
            const int fields = std::min<int>(t.ColCount(), int(criteria.size()));
            for (int i = 0; i < fields && selected; ++i) {
                const ReportCriterion& c = criteria[std::size_t(i)];
                if (c.Active())
                    selected = ReportCriterionPasses(source.Code(i), c, t.Cell(i, r), today);
            }
        }
        if (selected) rows.push_back(r);
    }
    return rows;
}

StringTable BuildDisplayGrid(const ReportSource& source, RecordMode mode,
                             const std::vector<ReportCriterion>& criteria, const Date& today) {
    const StringTable& t = source.table;
    const std::vector<int> rows = SelectReportRecords(source, mode, criteria, today);
    const int cols = t.ColCount();
    const int totalsRow = int(rows.size()) + 2;
    StringTable display;
    display.SetSize(cols, totalsRow + 1);
    for (int c = 0; c < cols; ++c) display.SetCell(c, 0, t.Cell(c, 0));
    for (std::size_t k = 0; k < rows.size(); ++k)
        for (int c = 0; c < cols; ++c) display.SetCell(c, int(k) + 1, t.Cell(c, rows[k]));
    for (int c = 0; c < cols; ++c) {
        if (!HasReportTotal(source.Code(c))) continue;
        std::vector<std::string> cells;
        cells.reserve(rows.size());
        for (int r = 1; r < totalsRow; ++r) cells.emplace_back(display.Cell(c, r));
        display.SetCell(c, totalsRow, "Total: " + GetSumFromStringList(cells));
    }
    return display;
}

std::array<std::string, 3> ComposeBandCaptions(const std::array<std::string, 3>& texts,
                                               BandPosition pageNumber, BandPosition date,
                                               const std::string& todayText) {
    std::array<std::string, 3> suffix;
    auto at = [&](BandPosition p) -> std::string* {
        return p == BandPosition::None ? nullptr : &suffix[std::size_t(int(p) - 1)];
    };
    if (std::string* s = at(pageNumber)) *s += " {PAGE}";
    if (std::string* s = at(date)) *s += " " + todayText;
    std::array<std::string, 3> captions;
    for (std::size_t i = 0; i < 3; ++i) captions[i] = texts[i] + " " + suffix[i];
    return captions;
}

}  // namespace brenvik
