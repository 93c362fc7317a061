#include "analyzer/stats.h"

#include <cmath>

namespace pellard {

void FigureAccumulator::Add(const Number& n) {
    double v = n.value;
    if (n.overflow || !std::isfinite(v)) failed_ = true;
    if (n.valid) sum_ += static_cast<long double>(v);
    if (absolute_) v = std::fabs(v);
    if (count_ == 0) {
        high_ = low_ = v;
    } else {
        if (v > high_) high_ = v;
        if (v < low_) low_ = v;
    }
    ++count_;
}

std::optional<Figures> FigureAccumulator::Result() const {
    if (count_ == 0 || failed_) return std::nullopt;
    long double sum = sum_;
    long double mean = sum_ / static_cast<long double>(count_);
    if (absolute_) {
        sum = std::fabs(sum);
        mean = std::fabs(mean);
    }
    return Figures{FormatNumber(sum), FormatNumber(mean), FormatNumber(high_), FormatNumber(low_)};
}

std::optional<Figures> FieldFigures(const LogView& view, int field, bool absolute) {
    if (field < 0 || field >= view.Base().FieldCount()) return std::nullopt;
    const auto& numbers = view.Base().Numbers(field);
    FigureAccumulator acc(absolute);
    for (int row : view.Rows()) acc.Add(numbers[row]);
    return acc.Result();
}

std::optional<Figures> ListFigures(const std::vector<std::string>& texts, bool absolute) {
    FigureAccumulator acc(absolute);
    for (const std::string& t : texts) acc.Add(NumericValue(t));
    return acc.Result();
}

std::string GetSumFromList(const std::vector<std::string>& texts, bool absolute) {
    auto f = ListFigures(texts, absolute);
    return f ? f->sum : std::string();
}
std::string GetMeanFromList(const std::vector<std::string>& texts, bool absolute) {
    auto f = ListFigures(texts, absolute);
    return f ? f->mean : std::string();
}
std::string GetHighFromList(const std::vector<std::string>& texts, bool absolute) {
    auto f = ListFigures(texts, absolute);
    return f ? f->high : std::string();
}
std::string GetLowFromList(const std::vector<std::string>& texts, bool absolute) {
    auto f = ListFigures(texts, absolute);
    return f ? f->low : std::string();
}

std::vector<FieldEntry> DefaultStatisticsFields(const LogBase& base) {
    std::vector<FieldEntry> entries;
    for (int c = 0; c < base.FieldCount(); ++c) {
        std::string name = TrimmedName(base.Name(c));
        const std::string lower = LowerCase(name);
        const bool money = lower.find("gross") != std::string::npos ||
                           lower.find("fee") != std::string::npos ||
                           lower.find("net") != std::string::npos;
        entries.push_back({std::move(name), c, money});
    }
    return entries;
}

std::vector<StatRow> CalculateStats(const LogView& view, const std::vector<FieldEntry>& fields,
                                    bool absolute) {
    std::vector<StatRow> rows;
    std::vector<int> used;
    for (const FieldEntry& e : fields)
        if (e.checked) used.push_back(e.field);
    view.Base().PrepareNumbers(used);
    for (const FieldEntry& e : fields) {
        if (!e.checked) continue;
        StatRow row;
        row.field = e.field;
        row.name = std::string(view.Base().Name(e.field));
        if (view.DataRowCount() > 0) {
            if (auto f = FieldFigures(view, e.field, absolute)) {
                row.sum = f->sum;
                row.mean = f->mean;
                row.high = f->high;
                row.low = f->low;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

brenvik::StringTable StatTable(const std::vector<StatRow>& rows) {
    brenvik::StringTable t(64);
    t.SetSize(5, static_cast<int>(rows.size()) + 1);
    if (!rows.empty()) {
        const char* header[] = {"Field", "Total", "Average", "High", "Low"};
        for (int c = 0; c < 5; ++c) t.SetCell(c, 0, header[c]);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const StatRow& s = rows[i];
        t.SetCell(0, r, s.name);
        t.SetCell(1, r, s.sum);
        t.SetCell(2, r, s.mean);
        t.SetCell(3, r, s.high);
        t.SetCell(4, r, s.low);
        t.SetTag(0, r, s.field);
    }
    return t;
}

}  // namespace pellard
