#include "analyzer/filters.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace pellard {

std::vector<FieldMenuEntry> FieldMenu(const LogBase& base) {
    std::vector<FieldMenuEntry> menu{{"Remove Filter", -1}};
    for (int c = 0; c < base.FieldCount(); ++c) {
        std::string name = TrimmedName(base.Name(c));
        if (name.empty() || name == " ") continue;
        menu.push_back({std::move(name), c});
    }
    return menu;
}

FilterTable::FilterTable() : table_(64) { ClearAll(); }

void FilterTable::ClearAll() {
    table_.SetSize(3, 2);
    table_.SetCell(0, 0, "Filter");
    table_.SetCell(1, 0, "Type");
    table_.SetCell(2, 0, "Value");
    EmptyRow(1);
}

void FilterTable::EmptyRow(int row) {
    for (int c = 0; c < 3; ++c) table_.SetCell(c, row, "");
    table_.SetTag(0, row, -1);
}

int FilterTable::Field(int row) const {
    if (row < 1 || row >= table_.RowCount()) return -1;
    return static_cast<int>(table_.Tag(0, row));
}

void FilterTable::SetFieldChoice(int row, const FieldMenuEntry& entry) {
    if (row < 1 || row >= table_.RowCount()) return;
    if (entry.field < 0) {
        RemoveFilter(row);
        return;
    }
    table_.SetCell(0, row, entry.caption);
    table_.SetTag(0, row, entry.field);
}

void FilterTable::SetType(int row, std::string_view type) {
    if (row >= 1) table_.SetCell(1, row, type);
}

void FilterTable::SetValue(int row, std::string_view value) {
    if (row >= 1) table_.SetCell(2, row, value);
}

void FilterTable::RemoveFilter(int row) {
    if (row < 1 || row >= table_.RowCount()) return;
    if (table_.RowCount() > 2) table_.DeleteRow(row);
    else EmptyRow(row);
}

bool FilterTable::AddFilter() {
    if (table_.RowCount() >= kMaxFilterRows + 1) return false;
    const int row = table_.RowCount();
    table_.SetRowCount(row + 1);
    EmptyRow(row);
    return true;
}

void FilterTable::Save(const std::string& path) const { table_.SaveToFile(path); }

void FilterTable::Load(const std::string& path, const std::vector<FieldMenuEntry>& menu) {
    table_.LoadFromFile(path);
    Rederive(menu);
}

void FilterTable::LoadBytes(std::string_view bytes, const std::vector<FieldMenuEntry>& menu) {
    table_.LoadTableFileBytes(bytes);
    Rederive(menu);
}

void FilterTable::Rederive(const std::vector<FieldMenuEntry>& menu) {
    for (int r = 1; r < table_.RowCount(); ++r) {
        int field = -1;
        for (const FieldMenuEntry& e : menu)
            if (e.caption == table_.Cell(0, r)) field = e.field;
        table_.SetTag(0, r, field);
    }
}

bool ExtractRange(std::string_view value, Range& range) {
    const auto at = value.find(kRangeSeparator);
    if (at == std::string_view::npos) return false;
    range.from = std::string(value.substr(0, at));
    range.to = std::string(value.substr(at + kRangeSeparator.size()));
    return true;
}

namespace {

// A value as a range: both bounds, or one of them ("> from", "< to").
struct Bounds {
    bool range = false;
    bool hasFrom = false, hasTo = false;
    std::string from, to;
};

Bounds BoundsOf(std::string_view value) {
    Bounds b;
    Range r;
    if (ExtractRange(value, r)) {
        b.range = b.hasFrom = b.hasTo = true;
        b.from = std::move(r.from);
        b.to = std::move(r.to);
    } else if (value.size() >= 2 && value[0] == '>' && value[1] == ' ') {
        b.range = b.hasFrom = true;
        b.from = std::string(value.substr(2));
    } else if (value.size() >= 2 && value[0] == '<' && value[1] == ' ') {
        b.range = b.hasTo = true;
        b.to = std::string(value.substr(2));
    }
    return b;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr Day kFirstDay = std::numeric_limits<Day>::min() + 1;
constexpr Day kLastDay = std::numeric_limits<Day>::max();

// Day bounds of a date range; false when a given bound cannot be read.
bool DayBounds(const Bounds& b, Day& from, Day& to, DateOrder order = ProgramDateFormat()) {
    from = kFirstDay;
    to = kLastDay;
    if (b.hasFrom) {
        auto d = DateValue(b.from, order);
        if (!d) return false;
        from = *d;
    }
    if (b.hasTo) {
        auto d = DateValue(b.to, order);
        if (!d) return false;
        to = *d;
    }
    return true;
}

void NumberBounds(const Bounds& b, double& from, double& to) {
    from = b.hasFrom ? NumericValue(b.from).value : -kInf;
    to = b.hasTo ? NumericValue(b.to).value : kInf;
}

}  // namespace

bool ProcessFilter(std::string_view cell, std::string_view value, bool negate, bool dateField) {
    const Bounds b = BoundsOf(value);
    bool holds;
    if (!b.range) {
        holds = cell == value;
    } else if (dateField) {
        Day from, to;
        auto d = DateValue(cell);
        holds = DayBounds(b, from, to) && d && from <= *d && *d <= to;
    } else {
        double from, to;
        NumberBounds(b, from, to);
        const double v = NumericValue(cell).value;
        holds = from <= v && v <= to;
    }
    return holds != negate;
}

FilterSet::FilterSet(const FilterTable& filters, const LogBase& base) : base_(&base) {
    for (int r = 1; r < filters.RowCount(); ++r) {
        const int f = filters.Field(r);
        if (f < 0 || f >= base.FieldCount()) continue;
        auto it = std::find_if(fields_.begin(), fields_.end(),
                               [f](const FieldConditions& fc) { return fc.field == f; });
        if (it == fields_.end()) {
            fields_.push_back({f, {}, nullptr, nullptr});
            it = fields_.end() - 1;
        }
        Condition c;
        c.negate = filters.Type(r) == kDoesNotInclude;
        const Bounds b = BoundsOf(filters.Value(r));
        if (!b.range) {
            c.kind = Kind::Text;
            c.text = std::string(filters.Value(r));
        } else if (base.IsDateField(f)) {
            c.kind = DayBounds(b, c.fromDay, c.toDay, base.DateFormat()) ? Kind::DateRange
                                                                         : Kind::NeverDate;
            if (c.kind == Kind::DateRange) it->dates = &base.Dates(f);
        } else {
            c.kind = Kind::NumberRange;
            NumberBounds(b, c.from, c.to);
            it->numbers = &base.Numbers(f);
        }
        it->conditions.push_back(std::move(c));
    }
}

bool FilterSet::Holds(const FieldConditions& f, const Condition& c, int row) const {
    bool holds = false;
    switch (c.kind) {
    case Kind::Text:
        holds = base_->Cell(f.field, row) == c.text;
        break;
    case Kind::NumberRange: {
        const double v = (*f.numbers)[row].value;
        holds = c.from <= v && v <= c.to;
        break;
    }
    case Kind::DateRange: {
        const Day d = (*f.dates)[row];
        holds = d != LogBase::kNoDay && c.fromDay <= d && d <= c.toDay;
        break;
    }
    case Kind::NeverDate:
        holds = false;
        break;
    }
    return holds != c.negate;
}

bool FilterSet::Passes(int row) const {
    for (const FieldConditions& f : fields_) {
        bool any = false;
        for (const Condition& c : f.conditions) {
            if (Holds(f, c, row)) {
                any = true;
                break;
            }
        }
        if (!any) return false;
    }
    return true;
}

std::vector<std::string> DistinctValues(const LogBase& base, int field) {
    constexpr std::size_t kMostValues = 255;
    std::vector<std::pair<std::string, std::string>> found;  // (lower-cased, first spelling)
    std::unordered_map<std::string, std::size_t> seen;
    if (field < 0 || field >= base.FieldCount()) return {};
    std::string lower;
    for (int r = 1; r <= base.TransactionCount(); ++r) {
        const std::string_view cell = base.Cell(field, r);
        lower.assign(cell);
        for (char& ch : lower)
            if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
        if (seen.count(lower)) continue;
        if (found.size() == kMostValues) return {};
        seen.emplace(lower, found.size());
        found.emplace_back(lower, std::string(cell));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> out;
    out.reserve(found.size());
    for (auto& f : found) out.push_back(std::move(f.second));
    return out;
}

bool EditedFilterValue(std::string_view value, std::string_view from, std::string_view to,
                       std::string& cell) {
    if (!value.empty()) cell = std::string(value);
    else if (!from.empty() && !to.empty())
        cell = std::string(from) + std::string(kRangeSeparator) + std::string(to);
    else if (!from.empty()) cell = "> " + std::string(from);
    else if (!to.empty()) cell = "< " + std::string(to);
    else return false;
    return true;
}

}  // namespace pellard
