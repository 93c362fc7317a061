#pragma once
// Search over the inventory or the customer list: the criteria rows typed
// into the search grid, the kind of each row, and the record test.
#include "store/core/stringtable.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

struct FieldData;

enum class SearchKind { Text, Number, Date };

// Column headings of the criteria grid.
inline constexpr const char* kSearchHeadings[5] = {"Search Term", "Includes", "Specific Item",
                                                   "From Item", "To Item"};
inline constexpr const char* kSearchIncludes = "Includes";
inline constexpr const char* kSearchDoesNotInclude = "Does Not Include";

// The kind of a criteria row. Inventory mode with records uses the field's
// type code; otherwise the field name decides ("date" -> date, "barcode" or
// "bar code" -> number, else text).
SearchKind SearchKindFor(bool inventoryMode, bool hasRecords, const FieldData* field,
                         std::string_view fieldName);

// One row of the criteria grid.
struct SearchCriterion {
    std::string mode;  // "Does Not Include" inverts text and number rows
    std::string specific;
    std::string from;
    std::string to;
    SearchKind kind = SearchKind::Text;

    // "Specific Item" stands for both bounds when it is given.
    std::string_view From() const { return specific.empty() ? std::string_view(from) : specific; }
    std::string_view To() const { return specific.empty() ? std::string_view(to) : specific; }
    bool IsCriterion() const { return !From().empty() || !To().empty(); }
    bool Inverted() const { return mode == kSearchDoesNotInclude; }
};

// Criteria row `i` (from 0) applies to table column `i`.
// The record test: every criterion row passes. A date that cannot be read
// raises StoreError "'<text>' is not a valid date".
bool SearchCriterionPasses(const SearchCriterion& c, std::string_view value);
bool SearchRecordPasses(const StringTable& table, int row,
                        const std::vector<SearchCriterion>& criteria);

// Tests every record 1..last in order; `found` is called with each record
// that passes, before the next one is tested, so marks set before an
// unreadable date stays set when the error is raised.
void RunSearch(const StringTable& table, const std::vector<SearchCriterion>& criteria,
               const std::function<void(int row)>& found);

// Text helpers of the search and the customer filter.
// Byte comparison with only A to Z folded: <0, 0 or >0.
int SearchCompareText(std::string_view a, std::string_view b);

// The two range dialogs of the table report.
struct RangeResult {
    std::string from;
    std::string to;
    std::string summary;
};
// "OK" of the date range: both entries filled (not the empty mask text)
// give the range and "from to to"; otherwise everything becomes empty.
RangeResult DateRangeOk(const std::string& fromEntry, const std::string& toEntry,
                        std::string_view emptyEntry);
// "OK" of the numeric range: the entries as they are; the summary when at
// least one is filled.
RangeResult NumericRangeOk(const std::string& fromEntry, const std::string& toEntry);

}  // namespace brenvik
