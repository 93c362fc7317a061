#include "store/inventory/search.h"

#include "store/core/codepage.h"
#include "store/core/datetext.h"
#include "store/core/error.h"
#include "store/core/fields.h"
#include "store/core/money.h"

#include <algorithm>

namespace brenvik {

namespace {

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

Date ReadSearchDate(std::string_view text) {
    auto d = ParseDate(text);
    if (!d) throw StoreError(NotAValidDateMessage(text));
    return *d;
}

bool TextPasses(const SearchCriterion& c, std::string_view value) {
    std::string_view from = c.From();
    std::string_view to = c.To();
    if (!from.empty() && !to.empty()) {
        // Each bound is compared with the value's prefix of its own length,
        // so a specific item matches every value that begins with it.
        return SearchCompareText(from, value.substr(0, from.size())) <= 0 &&
               SearchCompareText(to, value.substr(0, to.size())) >= 0;
    }
    std::string_view given = from.empty() ? to : from;
    return LowerWestern(value).find(LowerWestern(given)) != std::string::npos;
}

bool NumberPasses(const SearchCriterion& c, std::string_view value) {
    long double from = ReadLenient(c.From());
    long double to = ReadLenient(c.To());
    long double v = ReadLenient(value);
    return from <= v && v <= to;
}

bool DatePasses(const SearchCriterion& c, std::string_view value) {
    // A record without a date cannot lie in any range; only a date that is
    // there but unreadable stops the search.
    if (value.empty()) return false;
    Date v = ReadSearchDate(value);
    std::string_view from = c.From();
    std::string_view to = c.To();
    if (!from.empty() && ReadSearchDate(from) > v) return false;
    if (!to.empty()) return !(ReadSearchDate(to) < v);
    return true;
}

}  // namespace

int SearchCompareText(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int ca = FoldAscii(static_cast<unsigned char>(a[i]));
        int cb = FoldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca - cb;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

SearchKind SearchKindFor(bool inventoryMode, bool hasRecords, const FieldData* field,
                         std::string_view fieldName) {
    if (inventoryMode && hasRecords && field) {
        switch (field->code) {
        case FieldDate:
            return SearchKind::Date;
        case FieldBarCode:
        case FieldNumber:
        case FieldTotalSold:
        case FieldTotalRevenue:
            return SearchKind::Number;
        default:
            return SearchKind::Text;
        }
    }
    std::string lowered = LowerWestern(fieldName);
    if (lowered.find("date") != std::string::npos) return SearchKind::Date;
    if (lowered.find("barcode") != std::string::npos ||
        lowered.find("bar code") != std::string::npos)
        return SearchKind::Number;
    return SearchKind::Text;
}

bool SearchCriterionPasses(const SearchCriterion& c, std::string_view value) {
    if (!c.IsCriterion()) return true;
    switch (c.kind) {
    case SearchKind::Date:
        return DatePasses(c, value);  // the mode does not apply
    case SearchKind::Number:
        return NumberPasses(c, value) != c.Inverted();
    case SearchKind::Text:
        break;
    }
    return TextPasses(c, value) != c.Inverted();
}

bool SearchRecordPasses(const StringTable& table, int row,
                        const std::vector<SearchCriterion>& criteria) {
    for (std::size_t i = 0; i < criteria.size(); ++i) {
        if (!SearchCriterionPasses(criteria[i], table.Cell(static_cast<int>(i), row))) return false;
    }
    return true;
}

void RunSearch(const StringTable& table, const std::vector<SearchCriterion>& criteria,
               const std::function<void(int row)>& found) {
    for (int r = 1; r < table.RowCount(); ++r) {
        if (SearchRecordPasses(table, r, criteria)) found(r);
    }
}

RangeResult DateRangeOk(const std::string& fromEntry, const std::string& toEntry,
                        std::string_view emptyEntry) {
    if (fromEntry != emptyEntry && toEntry != emptyEntry)
        return {fromEntry, toEntry, fromEntry + " to " + toEntry};
    return {};
}

RangeResult NumericRangeOk(const std::string& fromEntry, const std::string& toEntry) {
    RangeResult r{fromEntry, toEntry, {}};
    if (!fromEntry.empty() || !toEntry.empty()) r.summary = fromEntry + " to " + toEntry;
    return r;
}

}  // namespace brenvik
