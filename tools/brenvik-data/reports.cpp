// The two reports of the store program for scripts: the quick sales report
// and the table report, built by the code behind their dialogs.
#include "commands.h"
#include "gui.h"

#include "store/core/error.h"
#include "store/core/fields.h"
#include "store/core/safefile.h"
#include "store/inventory/history.h"
#include "store/inventory/store.h"
#include "store/reports/export.h"
#include "store/reports/salesreport.h"
#include "store/reports/screens/reportpages.h"
#include "store/reports/tablereport.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

namespace brenvik::tool {

namespace {

// Options of the form "--name VALUE"; `repeatable` ones may come again.
std::multimap<std::string, std::string> Options(const Args& args, std::size_t first,
                                                const std::set<std::string>& names,
                                                const std::set<std::string>& repeatable,
                                                const char* form) {
    std::multimap<std::string, std::string> options;
    for (std::size_t i = first; i < args.size(); i += 2) {
        const std::string& name = args[i];
        if (!names.count(name) || i + 1 >= args.size())
            throw ToolError(std::string("usage: brenvik-data ") + form);
        if (options.count(name) && !repeatable.count(name)) throw ToolError(name + " given twice");
        options.emplace(name, args[i + 1]);
    }
    return options;
}

std::optional<std::string> Option(const std::multimap<std::string, std::string>& options,
                                  const std::string& name) {
    auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

// "all" (nothing returned) or record rows counted from 1, each at most `count`.
std::optional<std::set<int>> RowList(const std::string& text, int count, const char* option) {
    if (text == "all") return std::nullopt;
    std::set<int> rows;
    for (const std::string& part : SplitCommas(text)) {
        const int row = ParseCount(part, option);
        if (row < 1 || row > count)
            throw ToolError(std::string(option) + ": no row " + part + " (rows 1 to " +
                            std::to_string(count) + ")");
        rows.insert(row);
    }
    return rows;
}

Date DateOption(const std::string& text, const char* option) {
    std::optional<Date> date = ParseDate(text);
    if (!date || text.size() != 10)
        throw ToolError(std::string(option) + " takes a date YYYY/MM/DD, not \"" + text + "\"");
    return *date;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string Extension(const std::string& path) {
    return Lower(std::filesystem::path(path).extension().string());
}

// Writing a report over one of the store's own files would lose it.
void RefuseStoreFile(const std::string& folder, const std::string& out) {
    const std::filesystem::path target(out);
    std::error_code ec;
    const std::filesystem::path parent =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::equivalent(folder, parent, ec) || ec) return;
    const std::string name = Lower(target.filename().string());
    for (const char* own : {Store::kInventoryFile, Store::kCustomersFile, Store::kInvoicesFile,
                            "settings.set", "settings2.set"})
        if (name == Lower(own)) throw Refused(out + " is a file of the store; choose another name");
    if (EndsWithIhf(name)) throw Refused(out + " is a file of the store; choose another name");
}

void LoadStore(Store& store) {
    std::vector<std::string> errors = store.LoadInventory();
    if (!errors.empty()) throw ToolError(errors.front());
}

constexpr const char* kSalesForm =
    "sales-report DIR --kind sale|order|return [--from YYYY/MM/DD] [--to YYYY/MM/DD] "
    "[--items all|N[,N...]] -o OUT.csv";

int SalesReportCommand(const Args& args) {
    if (args.empty()) throw ToolError(std::string("usage: brenvik-data ") + kSalesForm);
    const std::string folder = Folder(args[0]);
    const auto options =
        Options(args, 1, {"--kind", "--from", "--to", "--items", "-o"}, {}, kSalesForm);
    const std::optional<std::string> kind = Option(options, "--kind");
    const std::optional<std::string> out = Option(options, "-o");
    if (!kind || !out) throw ToolError(std::string("usage: brenvik-data ") + kSalesForm);

    SalesReportInput in;
    if (*kind == "sale") in.kind = SalesKind::Sale;
    else if (*kind == "order") in.kind = SalesKind::Order;
    else if (*kind == "return") in.kind = SalesKind::Return;
    else throw ToolError("--kind takes sale, order or return, not \"" + *kind + "\"");
    if (auto from = Option(options, "--from")) in.from = DateOption(*from, "--from");
    if (auto to = Option(options, "--to")) in.to = DateOption(*to, "--to");
    in.today = Today();
    RefuseStoreFile(folder, *out);

    Store store(folder);
    LoadStore(store);
    if (auto items = Option(options, "--items")) {
        if (std::optional<std::set<int>> rows = RowList(*items, store.ItemCount(), "--items"))
            in.reported = [rows = *rows](int item) { return rows.count(item + 1) > 0; };
    }
    BuildQuickSalesReport(store.Data, store.Histories, in).SaveToCSV(*out);
    return 0;
}

constexpr const char* kTableForm =
    "table-report DIR --table inventory|customers [--fields NAME,NAME...] "
    "[--where NAME=FROM..TO | --where NAME=TEXT ...] [--records all|N[,N...]] "
    "-o OUT.csv|OUT.pdf";

// The column of a heading, ignoring case (the last match, as every lookup).
int FieldColumn(const StringTable& table, const std::string& name, const char* option) {
    for (int c = table.ColCount() - 1; c >= 0; --c)
        if (EqualIgnoringCase(table.Cell(c, 0), name)) return c;
    throw ToolError(std::string(option) + ": no field \"" + name + "\"");
}

// A criterion as the dialog stores it after its entry box or range dialog.
ReportCriterion WhereCriterion(int code, const std::string& value, const std::string& field) {
    if (CriterionEntryFor(code) == CriterionEntry::EnterValue) return {value, value, value};
    const std::size_t dots = value.find("..");
    if (dots == std::string::npos) throw ToolError("--where " + field + " takes a range FROM..TO");
    ReportCriterion c{"", value.substr(0, dots), value.substr(dots + 2)};
    if (code == 1) {
        if (!c.from.empty()) DateOption(c.from, "--where");
        if (!c.to.empty()) DateOption(c.to, "--where");
    }
    if (!c.from.empty() || !c.to.empty()) c.text = c.from + " to " + c.to;
    return c;
}

int TableReportCommand(const Args& args) {
    if (args.empty()) throw ToolError(std::string("usage: brenvik-data ") + kTableForm);
    const std::string folder = Folder(args[0]);
    const auto options = Options(args, 1, {"--table", "--fields", "--where", "--records", "-o"},
                                 {"--where"}, kTableForm);
    const std::optional<std::string> table = Option(options, "--table");
    const std::optional<std::string> out = Option(options, "-o");
    if (!table || !out) throw ToolError(std::string("usage: brenvik-data ") + kTableForm);
    if (*table != "inventory" && *table != "customers")
        throw ToolError("--table takes inventory or customers, not \"" + *table + "\"");
    const std::string ext = Extension(*out);
    if (ext != ".csv" && ext != ".pdf") throw ToolError("-o names a .csv or a .pdf file");
    const std::optional<std::string> records = Option(options, "--records");
    if (records && options.count("--where"))
        throw ToolError("--records and --where choose the records in different ways; give one");

    Store store(folder);
    LoadStore(store);
    std::optional<std::set<int>> checked;
    const int count = *table == "inventory" ? store.ItemCount() : store.CustomerData.RowCount() - 1;
    if (records) checked = RowList(*records, count, "--records");
    ReportSource source;
    if (*table == "inventory") {
        source = InventoryReportSource(
            store, [&](int item) { return checked && checked->count(item + 1) > 0; });
    } else {
        source = HeadingTypedSource(store.CustomerData);
        if (checked)
            for (int r : *checked) source.table.SetTag(0, r, 1);
    }

    RecordMode mode = checked ? RecordMode::CheckedRecords : RecordMode::AllRecords;
    std::vector<ReportCriterion> criteria(kReportCriterionSlots);
    for (auto [it, end] = options.equal_range("--where"); it != end; ++it) {
        const std::size_t eq = it->second.find('=');
        if (eq == std::string::npos) throw ToolError("--where takes NAME=FROM..TO or NAME=TEXT");
        const std::string name = it->second.substr(0, eq);
        const int column = FieldColumn(source.table, name, "--where");
        if (column >= kReportCriterionSlots)
            throw ToolError("--where: criteria reach the first " +
                            std::to_string(kReportCriterionSlots) + " fields only");
        criteria[std::size_t(column)] =
            WhereCriterion(source.Code(column), it->second.substr(eq + 1), name);
        mode = RecordMode::QuickSearchRecords;
    }
    std::vector<int> columns;
    if (auto fields = Option(options, "--fields")) {
        for (const std::string& name : SplitCommas(*fields))
            columns.push_back(FieldColumn(source.table, name, "--fields"));
    } else {
        for (int c = 0; c < source.table.ColCount(); ++c) columns.push_back(c);
    }
    RefuseStoreFile(folder, *out);

    const StringTable report =
        BuildExportGrid(BuildDisplayGrid(source, mode, criteria, Today()), columns);
    if (ext == ".csv") {
        report.SaveToCSV(*out);
    } else {
        EnsureGui();
        SaveReportPdf(report, *out);
    }
    return 0;
}

const bool kRegistered =
    RegisterCommand(
        {"sales-report", SalesReportCommand,
         "  sales-report DIR --kind sale|order|return [--from YYYY/MM/DD] [--to YYYY/MM/DD]\n"
         "               [--items all|N[,N...]] -o OUT.csv\n"
         "                               the quick sales report of the store in DIR as CSV\n"
         "                               (--items: the checked items, rows from 1)\n",
         70}) &&
    RegisterCommand(
        {"table-report", TableReportCommand,
         "  table-report DIR --table inventory|customers [--fields NAME,NAME...]\n"
         "               [--where NAME=FROM..TO | --where NAME=TEXT ...]\n"
         "               [--records all|N[,N...]] -o OUT.csv|OUT.pdf\n"
         "                               the table report: chosen columns, records, empty\n"
         "                               row and totals row as CSV, or its printed pages\n",
         71});

}  // namespace

}  // namespace brenvik::tool
