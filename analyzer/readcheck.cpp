#include "analyzer/readcheck.h"

namespace pellard {

std::vector<UnreadValues> UnreadableValues(const LogBase& base,
                                           const std::vector<int>& numberFields, int dateField) {
    std::vector<UnreadValues> out;
    const int last = base.TransactionCount();
    auto add = [&](int field, bool dates, auto&& unread) {
        UnreadValues u;
        u.field = std::string(base.Name(field));
        u.dates = dates;
        for (int r = 1; r <= last; ++r) {
            if (!unread(r)) continue;
            const std::string_view cell = base.Cell(field, r);
            if (!HasContent(cell)) continue;
            if (u.count++ == 0) {
                u.first = std::string(cell);
                u.row = r;
            }
        }
        if (u.count > 0) out.push_back(std::move(u));
    };
    base.PrepareNumbers(numberFields);
    for (int f : numberFields) {
        if (f < 0 || f >= base.FieldCount()) continue;
        const auto& numbers = base.Numbers(f);
        add(f, false, [&](int r) { return !numbers[r].valid; });
    }
    if (dateField >= 0 && dateField < base.FieldCount()) {
        const auto& days = base.Dates(dateField);
        add(dateField, true, [&](int r) { return days[r] == LogBase::kNoDay; });
    }
    return out;
}

std::string UnreadText(const UnreadValues& u) {
    const bool one = u.count == 1;
    return u.field + ": " + std::to_string(u.count) + (one ? " value does" : " values do") +
           " not read as " +
           (u.dates ? (one ? "a date" : "dates") : (one ? "a number" : "numbers")) + " (first: \"" +
           u.first + "\", row " + std::to_string(u.row) + ")";
}

}  // namespace pellard
