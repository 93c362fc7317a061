#pragma once
// The three fixed schemas (inventory, customer, item history), the column
// lookups by name, the choice lists, the editing rules and the derived fields.
#include "store/core/prompter.h"
#include "store/core/stringtable.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

enum FieldCode : int {
    FieldDate = 1,
    FieldText = 2,
    FieldBarCode = 75,
    FieldWebId = 76,
    FieldNumber = 80,
    FieldTotalSold = 101,
    FieldTotalRevenue = 102,
    FieldRequired = 103,
};

struct FieldData {
    std::string name;
    int code = FieldText;
    std::string detailField;  // history field summed by a derived total
    std::string choiceText;
    std::vector<std::string> choiceList;  // parsed from choiceText
};

// An item's history: six texts per entry (date, activity, invoice, quantity,
// total, notes).
using HistoryList = std::vector<std::string>;

// The 15 inventory fields in schema order, each with its parsed choice list.
std::vector<FieldData> InventoryFields();
const std::vector<std::string>& CustomerFieldNames();  // 12
const std::vector<std::string>& HistoryFieldNames();   // 6

// Sorted without regard to case, duplicates ignored, pieces not trimmed.
std::vector<std::string> ParseChoiceList(std::string_view choiceText);

// Field names compare with A to Z folded to lower case; other bytes as they are.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// The same folding, then byte order: negative, zero or positive.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// Column of the row-0 heading equal to `name` ignoring case, the last match
// winning; 0 when none matches. GridField looks in the inventory table,
// CustomerField in the customer table: the same rule.
int HeadingColumn(const StringTable& table, std::string_view name);
inline int GridField(const StringTable& data, std::string_view name) {
    return HeadingColumn(data, name);
}
inline int CustomerField(const StringTable& customers, std::string_view name) {
    return HeadingColumn(customers, name);
}
// Position 1 to 6 of a history field, ignoring case, last match; 0 if none.
int ReturnDetailField(std::string_view name);

// Sets up a table as the empty customer table: 12 columns, headings, one row.
void SetupCustomerGrid(StringTable& customers);
// Sets up a table as the empty inventory table: 15 columns, headings, one row.
void SetupInventoryGrid(StringTable& data);

// A cell may be typed into unless its field is a date, bar code, web id or derived.
bool AllowFieldEdit(int code);

// Sum of the `detailField` values of every history entry, two decimals.
std::string ComputeDetailSum(const HistoryList& history, std::string_view detailField);
// Desired minus quantity, two decimals, with the last three characters cut.
std::string ComputeRequired(std::string_view desired, std::string_view quantity);
// Recomputes the derived columns of every item row; histories[r] belongs to
// row r (index 0 unused; missing entries count as empty histories).
void ComputeDerivedFields(StringTable& data, const std::vector<HistoryList>& histories);

// Bar code entry: asks through `prompter`, checks against the bar codes of
// the inventory, reports errors; returns the text the cell should hold.
std::string GetBarCode(Prompter& prompter, const std::string& current,
                       const std::vector<std::string>& inventoryBarCodes);

}  // namespace brenvik
