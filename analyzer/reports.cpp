#include "analyzer/reports.h"

#include <algorithm>
#include <cmath>

namespace pellard {

std::vector<ReportEntry> AvailableReports(const LogView& view) {
    std::vector<ReportEntry> out = {
        {"Day of the Week Summary", reportkind::DayOfWeek},
        {"Daily Summary", reportkind::Daily},
        {"Weekly Summary", reportkind::Weekly},
        {"Monthly Summary", reportkind::Monthly},
        {"Country Summary", reportkind::Country},
        {"Custom Report", reportkind::Custom},
    };
    for (int c = 0; c < view.ColCount(); ++c) {
        const std::string_view name = view.Cell(c, 0);
        if (name.empty() || name == " ") continue;
        out.push_back({std::string(name) + " Summary", reportkind::FieldSummary + c});
    }
    return out;
}

std::optional<int> ChosenReportKind(const std::vector<ReportEntry>& entries, int selected,
                                    std::string_view typed) {
    if (selected >= 0 && selected < static_cast<int>(entries.size())) return entries[selected].kind;
    for (const ReportEntry& e : entries)
        if (EqualNoCase(e.text, typed)) return e.kind;
    return std::nullopt;
}

int AddReportColumns(brenvik::StringTable& table, std::string_view word,
                     const std::vector<FieldEntry>& fields) {
    int n = 0;
    for (const FieldEntry& f : fields) {
        if (!f.checked) continue;
        const int col = table.ColCount();
        table.SetColCount(col + 1);
        table.SetCell(col, 0, std::string(word) + " " + f.name);
        table.SetTag(col, 0, f.field);
        ++n;
    }
    return n;
}

int StartReportTable(brenvik::StringTable& table, std::string_view title,
                     const std::vector<FieldEntry>& fields) {
    table = brenvik::StringTable();
    table.SetSize(2, 1);
    table.SetCell(0, 0, title);
    table.SetCell(1, 0, "Total Transactions");
    int n = 0;
    for (const char* word : {"Total", "Average", "High", "Low"})
        n = AddReportColumns(table, word, fields);
    return n;
}

ReportFigures::ReportFigures(const LogBase& base, const std::vector<FieldEntry>& fields,
                             bool absolute, std::size_t rows)
    : absolute_(absolute), counts_(rows, 0), slots_(rows, 0) {
    for (const FieldEntry& f : fields) {
        if (!f.checked) continue;
        // A field beyond the file's columns reads as empty texts.
        numbers_.push_back(f.field >= 0 && f.field < base.FieldCount() ? &base.Numbers(f.field)
                                                                       : nullptr);
    }
}

void ReportFigures::Add(std::size_t row, int baseRow) {
    ++counts_[row];
    const std::size_t n = numbers_.size();
    if (n == 0) return;
    if (slots_[row] == 0) {
        acc_.resize(acc_.size() + n, FigureAccumulator(absolute_));
        slots_[row] = static_cast<std::uint32_t>(acc_.size() / n);
    }
    const std::size_t first = (slots_[row] - 1) * n;
    for (std::size_t i = 0; i < n; ++i)
        acc_[first + i].Add(numbers_[i] ? (*numbers_[i])[static_cast<std::size_t>(baseRow)]
                                        : Number{});
}

void ReportFigures::Write(brenvik::StringTable& table, std::size_t row) const {
    const int r = static_cast<int>(row) + 1;
    const int n = static_cast<int>(numbers_.size());
    table.SetCell(1, r, std::to_string(counts_[row]));
    if (slots_[row] == 0) return;  // nothing counted: the value cells stay empty
    const std::size_t first = (slots_[row] - 1) * numbers_.size();
    for (int i = 0; i < n; ++i) {
        const auto figures = acc_[first + static_cast<std::size_t>(i)].Result();
        if (!figures) continue;  // a value too large: the cells stay empty
        table.SetCell(2 + i, r, figures->sum);
        table.SetCell(2 + n + i, r, figures->mean);
        table.SetCell(2 + 2 * n + i, r, figures->high);
        table.SetCell(2 + 3 * n + i, r, figures->low);
    }
}

std::pair<Day, Day> GetDateRange(const LogView& view, std::optional<int> dateColumn, Day today) {
    if (!dateColumn || *dateColumn < 0 || *dateColumn >= view.ColCount()) return {today, today};
    const auto& dates = view.Base().Dates(view.Field(*dateColumn));
    const auto& rows = view.Rows();
    Day first = today;
    if (!rows.empty() && dates[static_cast<std::size_t>(rows[0])] != LogBase::kNoDay)
        first = dates[static_cast<std::size_t>(rows[0])];
    Day last = first;
    for (int r : rows) {
        const Day d = dates[static_cast<std::size_t>(r)];
        if (d == LogBase::kNoDay) continue;
        first = std::min(first, d);
        last = std::max(last, d);
    }
    return {first, last};
}

namespace {

const char* const kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};

long MonthIndex(Day d) {
    const YMD ymd = YMDFromDay(d);
    return long(ymd.year) * 12 + (ymd.month - 1);
}

// Weeks are centred on their labelled day: (d - F) / 7 rounded to nearest.
long WeekIndex(long days) { return std::lround(static_cast<double>(days) / 7.0); }

}  // namespace

std::string PeriodLabel(int kind, Day first, long k) {
    switch (kind) {
    case reportkind::DayOfWeek:
        return kDayNames[k % 7];
    case reportkind::Daily:
        return FormatDay(static_cast<Day>(first + k));
    case reportkind::Weekly:
        return FormatDay(static_cast<Day>(first + 7 * k));
    case reportkind::Monthly: {
        const long m = MonthIndex(first) + k;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%04ld/%02ld", m / 12, m % 12 + 1);
        return buf;
    }
    default:
        return {};
    }
}

bool GeneratePeriodReport(int kind, const ReportInput& in, brenvik::StringTable& table) {
    const LogView& view = *in.view;
    if (!in.dateColumn || *in.dateColumn < 0 || *in.dateColumn >= view.ColCount()) return false;
    const char* title = kind == reportkind::DayOfWeek ? "Day of the week"
                        : kind == reportkind::Daily   ? "Day"
                        : kind == reportkind::Weekly  ? "Week Starting"
                                                      : "Month";
    brenvik::StringTable out;
    StartReportTable(out, title, in.valueFields);

    auto [first, last] = GetDateRange(view, in.dateColumn, in.today);
    if (last < first) std::swap(first, last);
    const long span = long(last) - long(first);
    long buckets = 0;
    switch (kind) {
    case reportkind::DayOfWeek:
        buckets = 7;
        break;
    case reportkind::Daily:
        buckets = span + 1;
        break;
    case reportkind::Weekly:
        buckets = WeekIndex(span) + 1;
        break;
    default:
        buckets = MonthIndex(last) - MonthIndex(first) + 1;
        break;
    }
    out.SetRowCount(static_cast<int>(buckets) + 1);

    // Every transaction is dated once and counted in its own bucket.
    ReportFigures figures(view.Base(), in.valueFields, in.absolute,
                          static_cast<std::size_t>(buckets));
    const auto& dates = view.Base().Dates(view.Field(*in.dateColumn));
    const long firstMonth = MonthIndex(first);
    for (int r : view.Rows()) {
        const Day d = dates[static_cast<std::size_t>(r)];
        if (d == LogBase::kNoDay || d < first || d > last) continue;
        long k = 0;
        switch (kind) {
        case reportkind::DayOfWeek:
            k = DayOfWeek(d);
            break;
        case reportkind::Daily:
            k = long(d) - long(first);
            break;
        case reportkind::Weekly:
            k = WeekIndex(long(d) - long(first));
            break;
        default:
            k = MonthIndex(d) - firstMonth;
            break;
        }
        figures.Add(static_cast<std::size_t>(k), r);
    }
    for (long k = 0; k < buckets; ++k) {
        out.SetCell(0, static_cast<int>(k) + 1, PeriodLabel(kind, first, k));
        figures.Write(out, static_cast<std::size_t>(k));
    }
    table = std::move(out);
    return true;
}

void FindExtremes(brenvik::StringTable& table, bool absolute) {
    std::vector<int> highRows, lowRows;
    for (int c = 1; c < table.ColCount(); ++c) {
        highRows.clear();
        lowRows.clear();
        double high = 0, low = 0;
        bool any = false;
        for (int r = 1; r < table.RowCount(); ++r) {
            table.SetTag(c, r, static_cast<std::int64_t>(Mark::None));
            const Number n = NumericValue(table.Cell(c, r));
            if (!n.valid) continue;
            const double v = absolute ? std::fabs(n.value) : n.value;
            if (!any) {
                any = true;
                high = low = v;
                highRows.push_back(r);
                lowRows.push_back(r);
                continue;
            }
            if (v > high) {
                high = v;
                highRows.assign(1, r);
            } else if (v == high) {
                highRows.push_back(r);
            }
            if (v < low) {
                low = v;
                lowRows.assign(1, r);
            } else if (v == low) {
                lowRows.push_back(r);
            }
        }
        for (int r : highRows) table.SetTag(c, r, static_cast<std::int64_t>(Mark::High));
        for (int r : lowRows) table.SetTag(c, r, static_cast<std::int64_t>(Mark::Low));
    }
}

const char* ReportProblemText(ReportProblem p) {
    switch (p) {
    case ReportProblem::NoReportType:
        return "Please select report type.";
    case ReportProblem::NoDateField:
        return "Please select date field.";
    case ReportProblem::NoAddressField:
        return "Please select address field.";
    case ReportProblem::NoCustomField:
        return "Please select custom report field.";
    case ReportProblem::NoCustomValues:
        return "Please select custom report field values.";
    case ReportProblem::None:
        break;
    }
    return "";
}

}  // namespace pellard
