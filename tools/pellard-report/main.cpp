// pellard-report: the analysis window's statistics and reports from the
// command line, for scripts and scheduled jobs. The file is loaded, filtered,
// summarised and written exactly as the window does it; the output is the
// table the window shows, as grid CSV.
#include "analyzer/filters.h"
#include "analyzer/logview.h"
#include "analyzer/reports.h"
#include "analyzer/stats.h"
#include "analyzer/summaries.h"
#include "analyzer/values.h"
#include "store/core/error.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace pellard;

const char* const kUsage =
    "usage: pellard-report FILE [--date-format yyyy/mm/dd|mm/dd/yyyy] [--filter SPEC]...\n"
    "                      [--fields F1,F2,...] [--abs] (--stats | --report KIND)\n"
    "                      [--date-field NAME] [--address-field NAME]\n"
    "                      [--custom-field NAME --value V ... [--partial] [--case-sensitive]]\n"
    "                      [-o OUT]\n"
    "  KIND: day-of-week, daily, weekly, monthly, country, custom or field:NAME\n"
    "  SPEC: NAME=VALUE (Includes) or NAME!=VALUE (Does Not Include); VALUE as in the\n"
    "        filter table: a value, \"FROM to TO\", \"> X\" or \"< X\"\n"
    "  --fields gives the statistics fields in order (default: those whose names\n"
    "  contain gross, fee or net). Dates default to yyyy/mm/dd.\n";

// A problem with what was asked; reported on standard error with status 2.
struct Failure {
    std::string message;
    bool showUsage = false;
};

struct FilterSpec {
    std::string name;
    std::string value;
    bool negate = false;
};

struct Options {
    std::string file;
    DateOrder dates = DateOrder::YearMonthDay;
    std::vector<FilterSpec> filters;
    std::optional<std::vector<std::string>> fields;
    bool absolute = false;
    bool stats = false;
    std::optional<std::string> report;
    std::optional<std::string> dateField;
    std::optional<std::string> addressField;
    std::optional<std::string> customField;
    std::vector<std::string> values;
    bool partial = false;
    bool caseSensitive = false;
    std::optional<std::string> out;
};

std::vector<std::string> SplitFields(std::string_view list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = list.find(',', start);
        out.emplace_back(list.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

Options Parse(int argc, char** argv) {
    Options o;
    bool haveFile = false;
    auto value = [&](int& i) -> std::string {
        if (i + 1 >= argc) throw Failure{std::string(argv[i]) + " needs a value"};
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--date-format") {
            std::string f = value(i);
            if (f == "yyyy/mm/dd") o.dates = DateOrder::YearMonthDay;
            else if (f == "mm/dd/yyyy") o.dates = DateOrder::MonthDayYear;
            else throw Failure{"unknown date format: " + f};
        } else if (a == "--filter") {
            std::string spec = value(i);
            std::size_t eq = spec.find('=');
            if (eq == std::string::npos || eq == 0)
                throw Failure{"filter is not NAME=VALUE or NAME!=VALUE: " + spec};
            FilterSpec f;
            f.negate = spec[eq - 1] == '!';
            f.name = spec.substr(0, f.negate ? eq - 1 : eq);
            f.value = spec.substr(eq + 1);
            o.filters.push_back(std::move(f));
        } else if (a == "--fields") {
            o.fields = SplitFields(value(i));
        } else if (a == "--abs") {
            o.absolute = true;
        } else if (a == "--stats") {
            o.stats = true;
        } else if (a == "--report") {
            o.report = value(i);
        } else if (a == "--date-field") {
            o.dateField = value(i);
        } else if (a == "--address-field") {
            o.addressField = value(i);
        } else if (a == "--custom-field") {
            o.customField = value(i);
        } else if (a == "--value") {
            o.values.push_back(value(i));
        } else if (a == "--partial") {
            o.partial = true;
        } else if (a == "--case-sensitive") {
            o.caseSensitive = true;
        } else if (a == "-o") {
            o.out = value(i);
        } else if (a == "-h" || a == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a.size() > 1 && a[0] == '-') {
            throw Failure{"unknown option: " + std::string(a), true};
        } else if (!haveFile) {
            o.file = a;
            haveFile = true;
        } else {
            throw Failure{"more than one file given: " + std::string(a)};
        }
    }
    if (!haveFile) throw Failure{"no file given", true};
    if (o.stats == o.report.has_value())
        throw Failure{"give either --stats or --report KIND", true};
    return o;
}

// The view column of a field name as the window lists it (trimmed names).
std::optional<int> ViewColumnNamed(const LogView& view, std::string_view name) {
    for (int c = 0; c < view.ColCount(); ++c)
        if (view.Cell(c, 0) == name) return c;
    return std::nullopt;
}

// "Date Field:" and "Address Field": the named column, which must be one the
// window lists there, or the first listed.
std::optional<int> ChosenColumn(const std::optional<std::string>& name,
                                const std::vector<ViewColumn>& listed, const char* what) {
    if (!name) return listed.empty() ? std::nullopt : std::optional<int>(listed.front().column);
    for (const ViewColumn& c : listed)
        if (c.name == *name) return c.column;
    throw Failure{*name + " is not " + what};
}

int FieldNamed(const LogBase& base, std::string_view name) {
    for (int f = 0; f < base.FieldCount(); ++f)
        if (base.Name(f) == name) return f;
    throw Failure{"unknown field: " + std::string(name)};
}

std::optional<int> ReportKind(std::string_view kind, const LogView& view) {
    if (kind == "day-of-week") return reportkind::DayOfWeek;
    if (kind == "daily") return reportkind::Daily;
    if (kind == "weekly") return reportkind::Weekly;
    if (kind == "monthly") return reportkind::Monthly;
    if (kind == "country") return reportkind::Country;
    if (kind == "custom") return reportkind::Custom;
    if (kind.substr(0, 6) == "field:") {
        std::string_view name = kind.substr(6);
        // The window offers a summary only for named columns.
        auto c = ViewColumnNamed(view, name);
        if (!c || name.empty() || name == " ") throw Failure{"unknown field: " + std::string(name)};
        return reportkind::FieldSummary + *c;
    }
    throw Failure{"unknown report kind: " + std::string(kind)};
}

// The statistics field set: the given fields checked in the given order,
// then the others unchecked; or the window's default set.
std::vector<FieldEntry> StatisticsFields(const LogBase& base, const Options& o) {
    if (!o.fields) return DefaultStatisticsFields(base);
    std::vector<FieldEntry> all = DefaultStatisticsFields(base);
    std::vector<FieldEntry> out;
    std::vector<bool> used(all.size(), false);
    for (const std::string& name : *o.fields) {
        int f = FieldNamed(base, name);
        if (used[static_cast<std::size_t>(f)]) continue;
        used[static_cast<std::size_t>(f)] = true;
        FieldEntry e = all[static_cast<std::size_t>(f)];
        e.checked = true;
        out.push_back(std::move(e));
    }
    for (std::size_t f = 0; f < all.size(); ++f) {
        if (used[f]) continue;
        all[f].checked = false;
        out.push_back(std::move(all[f]));
    }
    return out;
}

void Write(const brenvik::StringTable& table, const Options& o) {
    if (o.out) {
        table.SaveToCSV(*o.out, ',');
        return;
    }
    const std::string bytes = table.CSVBytes(',');
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        throw brenvik::StoreError("Cannot write to standard output");
}

int Run(int argc, char** argv) {
    const Options o = Parse(argc, argv);
    SetProgramDateFormat(o.dates);

    LogBase base;
    base.LoadFile(o.file);
    base.TrimNames();

    // Filters are set up as in the filter table, on the field menu's names.
    FilterTable filters;
    const std::vector<FieldMenuEntry> menu = FieldMenu(base);
    for (std::size_t i = 0; i < o.filters.size(); ++i) {
        const FilterSpec& f = o.filters[i];
        const FieldMenuEntry* entry = nullptr;
        for (const FieldMenuEntry& m : menu)
            if (m.field >= 0 && m.caption == f.name) entry = &m;  // the last match, as loading does
        if (!entry) throw Failure{"unknown field: " + f.name};
        if (i > 0 && !filters.AddFilter()) throw Failure{"too many filters"};
        const int row = static_cast<int>(i) + 1;
        filters.SetFieldChoice(row, *entry);
        filters.SetType(row, f.negate ? kDoesNotInclude : kIncludes);
        filters.SetValue(row, f.value);
    }

    // Every field is displayed, in file order, as in a new window.
    LogView view(base);
    const FilterSet set(filters, base);
    view.Refresh(FieldEntries(base, true), &set);

    const std::vector<FieldEntry> fields = StatisticsFields(base, o);
    if (o.stats) {
        Write(StatTable(CalculateStats(view, fields, o.absolute)), o);
        return 0;
    }

    ReportInput in;
    in.view = &view;
    in.valueFields = fields;
    in.absolute = o.absolute;
    in.today = Today();
    in.dateColumn = ChosenColumn(o.dateField, view.DateColumns(), "a date field");
    in.addressColumn = ChosenColumn(o.addressField, view.AddressColumns(), "an address field");
    CustomReportSettings custom;
    if (o.customField) custom.fieldName = *o.customField;
    custom.values = o.values;
    custom.partialMatch = o.partial;
    custom.caseSensitive = o.caseSensitive;

    brenvik::StringTable table;
    const ReportProblem problem = GenerateReport(ReportKind(*o.report, view), in, custom, table);
    if (problem != ReportProblem::None) throw Failure{ReportProblemText(problem)};
    Write(table, o);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const Failure& f) {
        std::fprintf(stderr, "pellard-report: %s\n", f.message.c_str());
        if (f.showUsage) std::fputs(kUsage, stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pellard-report: %s\n", e.what());
        return 2;
    }
}
