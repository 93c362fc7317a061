#pragma once
// Filters: the filter table (field, type, value per row, the field index kept
// as the row's tag), the condition lists built from it at each view refresh,
// and the test of one condition against one cell.
#include "analyzer/logview.h"

#include <string>
#include <string_view>
#include <vector>

namespace pellard {

inline constexpr std::string_view kDoesNotInclude = "Does Not Include";
inline constexpr std::string_view kIncludes = "Includes";
inline constexpr std::string_view kRangeSeparator = " to ";
inline constexpr int kMaxFilterRows = 99;

// An entry of the field menu: caption and field index (-1 for none).
struct FieldMenuEntry {
    std::string caption;
    int field = -1;
};
// "Remove Filter", then every field with its trimmed name, leaving out the
// names that are empty or a single blank.
std::vector<FieldMenuEntry> FieldMenu(const LogBase& base);

// The filter table: header row "Filter", "Type", "Value", then 1 to 99 rows.
class FilterTable {
public:
    FilterTable();  // header and one empty row

    const brenvik::StringTable& Table() const { return table_; }
    int RowCount() const { return table_.RowCount(); }  // header included
    std::string_view Name(int row) const { return table_.Cell(0, row); }
    std::string_view Type(int row) const { return table_.Cell(1, row); }
    std::string_view Value(int row) const { return table_.Cell(2, row); }
    int Field(int row) const;

    void SetFieldChoice(int row, const FieldMenuEntry& entry);
    void SetType(int row, std::string_view type);
    void SetValue(int row, std::string_view value);
    // Deletes the row, or empties it when it is the only filter row.
    void RemoveFilter(int row);
    // Appends an empty row; false at 99 filter rows.
    bool AddFilter();
    // Back to the header and one empty row.
    void ClearAll();

    // Filter files are table files; field indexes are found again by name
    // among the menu entries (the last match wins; -1 when none).
    void Save(const std::string& path) const;
    void Load(const std::string& path, const std::vector<FieldMenuEntry>& menu);
    void LoadBytes(std::string_view bytes, const std::vector<FieldMenuEntry>& menu);

private:
    void Rederive(const std::vector<FieldMenuEntry>& menu);
    void EmptyRow(int row);

    brenvik::StringTable table_;
};

// A range value split at its first " to ".
struct Range {
    std::string from;
    std::string to;
};
bool ExtractRange(std::string_view value, Range& range);

// Whether one condition holds for a cell. A value with " to " is a range:
// dates (for a date field) or numeric values, both bounds included; "> x" and
// "< x" are one-sided ranges with the bound included; anything else is an
// exact text match. `negate` inverts the result.
bool ProcessFilter(std::string_view cell, std::string_view value, bool negate, bool dateField);

// The condition lists of a filter table, ready to test base rows: conditions
// on one field are alternatives, conditions on different fields must all hold.
class FilterSet : public RowFilter {
public:
    FilterSet(const FilterTable& filters, const LogBase& base);
    bool Empty() const override { return fields_.empty(); }
    bool Passes(int row) const override;

private:
    enum class Kind { Text, NumberRange, DateRange, NeverDate };
    struct Condition {
        Kind kind = Kind::Text;
        bool negate = false;
        std::string text;
        double from = 0, to = 0;
        Day fromDay = 0, toDay = 0;
    };
    struct FieldConditions {
        int field = 0;
        std::vector<Condition> conditions;
        const NumberColumn* numbers = nullptr;
        const std::vector<Day>* dates = nullptr;
    };
    bool Holds(const FieldConditions& f, const Condition& c, int row) const;

    const LogBase* base_;
    std::vector<FieldConditions> fields_;
};

// The values offered by the Edit Filter dialog: the distinct cells of the
// field over all transactions, case ignored (the first spelling met is kept),
// sorted without regard to case; empty when there are more than 255.
std::vector<std::string> DistinctValues(const LogBase& base, int field);

// The value cell after the Edit Filter dialog closed with a result; false
// when the cell is to stay as it was.
bool EditedFilterValue(std::string_view value, std::string_view from, std::string_view to,
                       std::string& cell);

}  // namespace pellard
