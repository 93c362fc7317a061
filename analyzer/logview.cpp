#include "analyzer/logview.h"

#include <algorithm>
#include <charconv>
#include <functional>

namespace pellard {

void LogBase::LoadFile(const std::string& path, const LoadLimits& limits) {
    LogTable table;
    table.Load(path, limits);
    SetTable(std::move(table));
}

void LogBase::LoadBytes(std::string_view bytes) {
    LogTable table;
    table.LoadBytes(bytes);
    SetTable(std::move(table));
}

void LogBase::SetTable(LogTable&& table) {
    table_ = std::move(table);
    names_.clear();
    for (int c = 0; c < FieldCount(); ++c) names_.emplace_back(table_.Cell(c, 0));
    ClearCaches();
}

void LogBase::SetDateFormat(DateOrder order) {
    if (dateOrder_ == order) return;
    dateOrder_ = order;
    for (auto& keys : sortKeys_) keys.reset();
}

int LogBase::FirstDateField() const {
    for (int f = 0; f < FieldCount(); ++f)
        if (IsDateField(f)) return f;
    return -1;
}

void LogBase::ClearCaches() {
    const auto n = static_cast<std::size_t>(FieldCount());
    numbers_.clear();
    numbers_.resize(n);
    dates_.clear();
    dates_.resize(n);
    datesOrder_.assign(n, DateOrder::MonthDayYear);
    sortKeys_.clear();
    sortKeys_.resize(n);
}

std::string TrimmedName(std::string_view name) {
    std::size_t i = 0;
    while (i + 1 < name.size() && name[i] == ' ') ++i;
    return std::string(name.substr(i));
}

void LogBase::TrimNames() {
    for (std::string& name : names_)
        if (name.size() > 1 && name[0] == ' ') name = TrimmedName(name);
}

bool LogBase::IsDateField(int field) const {
    return field >= 0 && field < FieldCount() && NameContains(Name(field), "date");
}

namespace {
// Rows of a large file are worked out on all cores.
constexpr std::size_t kRowsPerPart = 1 << 16;

void ForRows(int last, const std::function<void(int, int)>& f) {
    ForParts(static_cast<std::size_t>(last), kRowsPerPart, [&](std::size_t a, std::size_t b) {
        f(static_cast<int>(a) + 1, static_cast<int>(b) + 1);
    });
}
}  // namespace

const NumberColumn& LogBase::Numbers(int field) const {
    PrepareNumbers({field});
    return *numbers_.at(static_cast<std::size_t>(field));
}

void LogBase::PrepareNumbers(const std::vector<int>& fields) const {
    std::vector<int> todo;
    std::vector<NumberColumn*> out;
    for (int f : fields) {
        if (f < 0 || f >= FieldCount()) continue;
        auto& slot = numbers_[static_cast<std::size_t>(f)];
        if (slot) continue;
        slot = std::make_unique<NumberColumn>(static_cast<std::size_t>(TransactionCount()) + 1);
        todo.push_back(f);
        out.push_back(slot.get());
    }
    if (todo.empty()) return;
    ForRows(TransactionCount(), [&](int first, int end) {
        for (int r = first; r < end; ++r)
            for (std::size_t i = 0; i < todo.size(); ++i)
                out[i]->Set(static_cast<std::size_t>(r), NumericValue(table_.Cell(todo[i], r)));
    });
}

const std::vector<Day>& LogBase::Dates(int field) const {
    const auto f = static_cast<std::size_t>(field);
    auto& slot = dates_.at(f);
    const DateOrder order = DateFormat();
    if (!slot || datesOrder_[f] != order) {
        auto values = std::make_unique<std::vector<Day>>(TransactionCount() + 1, kNoDay);
        ForRows(TransactionCount(), [&](int first, int end) {
            for (int r = first; r < end; ++r)
                if (auto d = DateValue(table_.Cell(field, r), order)) (*values)[r] = *d;
        });
        slot = std::move(values);
        datesOrder_[f] = order;
    }
    return *slot;
}

LogBase::SortKey SortKeyOf(std::string_view t, DateOrder order) {
    using K = LogBase::SortKind;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    // Number: optional leading minus, then digits with "," and at most one ".".
    {
        std::size_t i = t.size() > 0 && t[0] == '-' ? 1 : 0;
        bool anyDigit = false, point = false, ok = i < t.size();
        std::string plain;
        if (i == 1) plain.push_back('-');
        for (; ok && i < t.size(); ++i) {
            const char c = t[i];
            if (digit(c)) {
                anyDigit = true;
                plain.push_back(c);
            } else if (c == '.' && !point) {
                point = true;
                plain.push_back(c);
            } else if (c != ',' || point) {
                ok = false;
            }
        }
        if (ok && anyDigit) {
            double v = 0;
            const char* first = plain.data();
            const char* last = first + plain.size();
            if (!ReadPlainDecimal(first, last, v)) {
                if (*first == '-') ++first;
                std::from_chars(first, last, v);
                if (plain[0] == '-') v = -v;
            }
            return {v, K::Number};
        }
    }
    // Date: "/" as the second or third character, with a digit on each side.
    for (std::size_t p : {std::size_t(1), std::size_t(2)}) {
        if (p + 1 < t.size() && t[p] == '/' && digit(t[p - 1]) && digit(t[p + 1])) {
            if (auto d = DateValue(t, order)) return {static_cast<double>(*d), K::Date};
            break;
        }
    }
    return {0, K::Text};
}

int CompareSortKeys(const LogBase::SortKey& a, std::string_view aText, const LogBase::SortKey& b,
                    std::string_view bText) {
    if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
    if (a.kind == LogBase::SortKind::Text) {
        const int c = aText.compare(bText);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (a.value < b.value) return -1;
    if (a.value > b.value) return 1;
    return 0;
}

const std::vector<LogBase::SortKey>& LogBase::SortKeys(int field) const {
    auto& slot = sortKeys_.at(static_cast<std::size_t>(field));
    if (!slot) {
        auto keys = std::make_unique<std::vector<SortKey>>(TransactionCount() + 1,
                                                           SortKey{0, SortKind::Text});
        for (int r = 1; r < TransactionCount() + 1; ++r)
            (*keys)[r] = SortKeyOf(Cell(field, r), DateFormat());
        slot = std::move(keys);
    }
    return *slot;
}

std::vector<FieldEntry> FieldEntries(const LogBase& base, bool checked) {
    std::vector<FieldEntry> out;
    out.reserve(static_cast<std::size_t>(base.FieldCount()));
    for (int c = 0; c < base.FieldCount(); ++c)
        out.push_back({std::string(base.Name(c)), c, checked});
    return out;
}

int MoveEntryUp(std::vector<FieldEntry>& entries, int selected) {
    if (selected <= 0 || selected >= static_cast<int>(entries.size())) return -1;
    std::swap(entries[selected], entries[selected - 1]);
    return selected - 1;
}

int MoveEntryDown(std::vector<FieldEntry>& entries, int selected) {
    const int n = static_cast<int>(entries.size());
    if (n < 2 || selected < 0 || selected >= n - 1) return -1;
    std::swap(entries[selected], entries[selected + 1]);
    return selected + 1;
}

void LogView::Refresh(const std::vector<FieldEntry>& entries, const RowFilter* filters) {
    LogBase& base = *base_;
    base.TrimNames();
    fields_.clear();
    header_.clear();
    for (const FieldEntry& e : entries) {
        if (!e.checked || e.field < 0 || e.field >= base.FieldCount()) continue;
        fields_.push_back(e.field);
        header_.emplace_back(base.Name(e.field));
    }
    rows_.clear();
    const int last = base.TransactionCount();
    if (!filters || filters->Empty()) {
        rows_.resize(static_cast<std::size_t>(last));
        for (int r = 1; r <= last; ++r) rows_[r - 1] = r;
    } else {
        rows_.reserve(static_cast<std::size_t>(last));
        for (int r = 1; r <= last; ++r)
            if (filters->Passes(r)) rows_.push_back(r);
    }
}

std::string_view LogView::Cell(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
    if (row == 0) return header_[col];
    return base_->Cell(fields_[col], rows_[row - 1]);
}

int LogView::ColumnOfField(int field) const {
    for (int c = 0; c < ColCount(); ++c)
        if (fields_[c] == field) return c;
    return -1;
}

std::string LogView::TotalText() const {
    return std::to_string(DataRowCount()) + " of " + std::to_string(base_->TransactionCount());
}

std::vector<ViewColumn> LogView::DateColumns() const {
    std::vector<ViewColumn> out;
    for (int c = 0; c < ColCount(); ++c)
        if (NameContains(header_[c], "date")) out.push_back({header_[c], c});
    return out;
}

std::vector<ViewColumn> LogView::AddressColumns() const {
    std::vector<ViewColumn> out;
    for (int c = 0; c < ColCount(); ++c) {
        const std::string lower = LowerCase(header_[c]);
        if (lower.find("address") != std::string::npos && lower.find("email") == std::string::npos)
            out.push_back({header_[c], c});
    }
    return out;
}

void LogView::SortByField(int field) {
    if (field < 0 || field >= base_->FieldCount()) return;
    const auto& keys = base_->SortKeys(field);
    const LogBase& base = *base_;
    std::stable_sort(rows_.begin(), rows_.end(), [&](int a, int b) {
        const auto& ka = keys[a];
        const auto& kb = keys[b];
        if (ka.kind != kb.kind) return ka.kind < kb.kind;
        if (ka.kind != LogBase::SortKind::Text) return ka.value < kb.value;
        return base.Cell(field, a) < base.Cell(field, b);
    });
}

int SortField(const std::vector<std::string>& sortEntries, std::string_view text) {
    if (text == "None" || EqualNoCase(text, "None")) return -1;
    for (std::size_t i = 0; i < sortEntries.size(); ++i)
        if (EqualNoCase(sortEntries[i], text)) return static_cast<int>(i);
    return -1;
}

}  // namespace pellard
