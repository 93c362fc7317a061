#include "analyzer/summaries.h"

#include "analyzer/countries.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace pellard {

namespace {

// The text a cell is matched as.
std::string MatchText(std::string_view cell, bool caseSensitive) {
    std::string text = TrimmedName(cell);
    if (text.empty()) text = "BLANK";
    return caseSensitive ? text : LowerCase(text);
}

}  // namespace

void GenerateSummaryReport(const ReportInput& in, int column,
                           const std::vector<std::string>& values, bool partial, bool caseSensitive,
                           brenvik::StringTable& table) {
    const LogView& view = *in.view;
    brenvik::StringTable out;
    StartReportTable(out, view.Cell(column, 0), in.valueFields);
    out.SetRowCount(static_cast<int>(values.size()) + 1);
    for (std::size_t k = 0; k < values.size(); ++k)
        out.SetCell(0, static_cast<int>(k) + 1, values[k]);

    std::vector<std::string> keys;
    keys.reserve(values.size());
    for (const std::string& v : values) keys.push_back(caseSensitive ? v : LowerCase(v));
    // Whole-cell matching looks the cell up; partial matching tries each value.
    std::unordered_map<std::string, std::vector<std::size_t>> exact;
    if (!partial)
        for (std::size_t k = 0; k < keys.size(); ++k) exact[keys[k]].push_back(k);

    // Partial matching tries, at each place of the text, only the values
    // that begin with the two bytes found there (one-byte values apart).
    auto pair = [](char a, char b) {
        return static_cast<std::size_t>(static_cast<unsigned char>(a)) << 8 |
               static_cast<unsigned char>(b);
    };
    std::vector<std::vector<std::size_t>> byPair(partial ? 65536 : 0);
    std::vector<std::size_t> single;
    if (partial)
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (keys[k].size() == 1) single.push_back(k);
            else if (keys[k].size() > 1) byPair[pair(keys[k][0], keys[k][1])].push_back(k);
        }
    std::vector<std::size_t> found;

    ReportFigures figures(view.Base(), in.valueFields, in.absolute, values.size());
    for (int r = 1; r < view.RowCount(); ++r) {
        const std::string text = MatchText(view.Cell(column, r), caseSensitive);
        const int baseRow = view.RowTag(r);
        if (partial) {
            found.clear();
            for (std::size_t k : single)
                if (text.find(keys[k][0]) != std::string::npos) found.push_back(k);
            for (std::size_t i = 0; i + 1 < text.size(); ++i)
                for (std::size_t k : byPair[pair(text[i], text[i + 1])])
                    if (text.compare(i, keys[k].size(), keys[k]) == 0) found.push_back(k);
            // Each value once, in list order.
            std::sort(found.begin(), found.end());
            found.erase(std::unique(found.begin(), found.end()), found.end());
            for (std::size_t k : found) figures.Add(k, baseRow);
        } else if (auto it = exact.find(text); it != exact.end()) {
            for (std::size_t k : it->second) figures.Add(k, baseRow);
        }
    }
    for (std::size_t k = 0; k < values.size(); ++k) figures.Write(out, k);
    table = std::move(out);
}

namespace {
// Texts taken one at a time, kept once per spelling without regard to case
// (the first spelling met), given back sorted without regard to case.
class DistinctNoCase {
public:
    void Add(std::string text) {
        std::string key = LowerCase(text);
        if (seen_.insert(key).second) keyed_.emplace_back(std::move(key), std::move(text));
    }
    std::vector<std::string> Sorted() {
        std::sort(keyed_.begin(), keyed_.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> out;
        out.reserve(keyed_.size());
        for (auto& [key, text] : keyed_) out.push_back(std::move(text));
        return out;
    }

private:
    std::vector<std::pair<std::string, std::string>> keyed_;  // lower-cased, first spelling
    std::unordered_set<std::string> seen_;
};
}  // namespace

std::vector<std::string> SortedDistinctNoCase(const std::vector<std::string>& texts) {
    DistinctNoCase distinct;
    for (const std::string& t : texts) distinct.Add(t);
    return distinct.Sorted();
}

std::vector<std::string> FieldSummaryValues(const LogView& view, int column) {
    // Distinct as the cells come, so that a large file is not copied first.
    DistinctNoCase distinct;
    for (int r = 1; r < view.RowCount(); ++r) distinct.Add(MatchText(view.Cell(column, r), true));
    return distinct.Sorted();
}

std::vector<std::string> CountryValues() {
    std::vector<std::string> lines;
    for (std::string_view line : kCountries) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) continue;
        lines.emplace_back(line.substr(start));
    }
    return SortedDistinctNoCase(lines);
}

void GenerateFieldSummary(int column, const ReportInput& in, brenvik::StringTable& table) {
    GenerateSummaryReport(in, column, FieldSummaryValues(*in.view, column), false, false, table);
}

ReportProblem GenerateCountrySummary(const ReportInput& in, brenvik::StringTable& table) {
    if (!in.addressColumn || *in.addressColumn < 0 || *in.addressColumn >= in.view->ColCount())
        return ReportProblem::NoAddressField;
    static const std::vector<std::string> countries = CountryValues();
    GenerateSummaryReport(in, *in.addressColumn, countries, true, false, table);
    return ReportProblem::None;
}

ReportProblem GenerateCustomReport(const ReportInput& in, const CustomReportSettings& custom,
                                   brenvik::StringTable& table) {
    int column = -1;
    for (int c = 0; c < in.view->ColCount(); ++c)
        if (in.view->Cell(c, 0) == custom.fieldName) column = c;
    if (column < 0) return ReportProblem::NoCustomField;
    if (custom.values.empty()) return ReportProblem::NoCustomValues;
    GenerateSummaryReport(in, column, custom.values, custom.partialMatch, custom.caseSensitive,
                          table);
    return ReportProblem::None;
}

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

ReportProblem GenerateReport(std::optional<int> kind, const ReportInput& in,
                             const CustomReportSettings& custom, brenvik::StringTable& table) {
    if (!kind) return ReportProblem::NoReportType;
    switch (*kind) {
    case reportkind::DayOfWeek:
    case reportkind::Daily:
    case reportkind::Weekly:
    case reportkind::Monthly:
        return GeneratePeriodReport(*kind, in, table) ? ReportProblem::None
                                                      : ReportProblem::NoDateField;
    case reportkind::Country:
        return GenerateCountrySummary(in, table);
    case reportkind::Custom:
        return GenerateCustomReport(in, custom, table);
    default:
        break;
    }
    if (*kind >= reportkind::FieldSummary && *kind <= reportkind::LastFieldSummary &&
        *kind - reportkind::FieldSummary < in.view->ColCount()) {
        GenerateFieldSummary(*kind - reportkind::FieldSummary, in, table);
        return ReportProblem::None;
    }
    return ReportProblem::NoReportType;
}

}  // namespace pellard
