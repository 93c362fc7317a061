#pragma once
// Finding the inventory row behind a sale line, and the scanning loop's step.
#include "store/core/stringtable.h"
#include "store/sales/totals.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The number of a whole-number text (ParseWholeNumber's syntax), or nothing.
std::optional<int> ReadInteger(std::string_view text);
// "'1.5' is not a valid integer value".
std::string NotAValidIntegerMessage(std::string_view text);

// Inventory row (1 or more) whose reduced "bar code" cell equals `barcode`
// exactly, the last match winning; -1 when none. Only the inventory side is
// reduced: a code typed with letters never matches.
int FindItem(const StringTable& data, std::string_view barcode);

// The inventory row a sale or refund line changes: "Item #: " + row number
// names the row directly, any other text is looked up with FindItem.
// -1 when the line has no row in the inventory.
int LineInventoryRow(const StringTable& data, std::string_view barcode);

enum class ScanOutcome { NotFound, CountedUp, Appended };

struct ScanResult {
    ScanOutcome outcome = ScanOutcome::NotFound;
    int line = -1;  // the line counted up or appended
};

// One scan of the batch loop: looks the code up (both sides reduced, the last
// row winning); counts up the first line whose bar code equals the code
// exactly, or appends a line priced from the inventory. The changed line is
// totalled. A counted-up quantity that is not a whole number raises
// StoreError with the integer message, leaving the lines as they were.
ScanResult ApplyScan(std::vector<SaleLine>& lines, const StringTable& data, std::string_view code);

}  // namespace brenvik
