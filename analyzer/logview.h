#pragma once
// The two tables of an analysis: the base table (the whole file as loaded,
// with per-column values worked out once and kept) and the view over it (the
// chosen fields, in order, of the transactions that pass the filters). Both
// the analysis window and the command-line tools build these.
#include "analyzer/logtable.h"
#include "analyzer/values.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellard {

// What decides which transactions a view shows (the filters).
class RowFilter {
public:
    virtual ~RowFilter() = default;
    virtual bool Empty() const = 0;
    virtual bool Passes(int row) const = 0;
};

// The file as loaded: row 0 the field names, rows 1..N the transactions.
class LogBase {
public:
    LogBase() = default;
    LogBase(const LogBase&) = delete;
    LogBase& operator=(const LogBase&) = delete;

    // Loads a comma-separated file (raises StoreError with the reason).
    void LoadFile(const std::string& path, const LoadLimits& limits = {});
    void LoadBytes(std::string_view bytes);
    // Takes a table already loaded (row 0 the names).
    void SetTable(LogTable&& table);

    const LogTable& Table() const { return table_; }
    // A table has at least one field, as the grid it stands for.
    int FieldCount() const { return std::max(table_.ColCount(), 1); }
    int TransactionCount() const { return std::max(table_.RowCount() - 1, 0); }
    std::string_view Name(int field) const {
        return field >= 0 && field < static_cast<int>(names_.size())
                   ? std::string_view(names_[field])
                   : std::string_view();
    }
    std::string_view Cell(int field, int row) const {
        return row == 0 ? Name(field) : table_.Cell(field, row);
    }

    // The order of year, month and day in this file's dates; changing it
    // reads the dates again.
    // Until set, the program's date format.
    DateOrder DateFormat() const { return dateOrder_.value_or(ProgramDateFormat()); }
    void SetDateFormat(DateOrder order);
    // The first field whose name contains "date", or -1.
    int FirstDateField() const;

    // Removes leading blanks from every field name, never its last character
    // (a name of blanks becomes " ").
    void TrimNames();
    // A field whose name contains "date" has its values read as dates.
    bool IsDateField(int field) const;

    // Per-row values of one field (index = base row; row 0 unused), worked
    // out at first use and kept; the file never changes after loading.
    const NumberColumn& Numbers(int field) const;
    // Works out the numbers of several fields in one sweep over the rows
    // (the cells of one row lie together, so this reads memory once).
    void PrepareNumbers(const std::vector<int>& fields) const;
    // Date values in the program's date format; kNoDay where unreadable.
    static constexpr Day kNoDay = INT32_MIN;
    const std::vector<Day>& Dates(int field) const;

    // Sort keys of one field: numbers, then dates, then texts.
    enum class SortKind : std::uint8_t { Number, Date, Text };
    struct SortKey {
        double value;
        SortKind kind;
    };
    const std::vector<SortKey>& SortKeys(int field) const;

private:
    void ClearCaches();

    LogTable table_;
    std::vector<std::string> names_;
    std::optional<DateOrder> dateOrder_;
    mutable std::vector<std::unique_ptr<NumberColumn>> numbers_;
    mutable std::vector<std::unique_ptr<std::vector<Day>>> dates_;
    mutable std::vector<DateOrder> datesOrder_;
    mutable std::vector<std::unique_ptr<std::vector<SortKey>>> sortKeys_;
};

// The sort key of one text: a number (digits, an optional leading minus,
// "," and "."), a date ("/" as its second or third character between digits),
// or a text.
LogBase::SortKey SortKeyOf(std::string_view text, DateOrder order = ProgramDateFormat());
// Three-way comparison of two cells by their keys; texts by byte codes.
int CompareSortKeys(const LogBase::SortKey& a, std::string_view aText, const LogBase::SortKey& b,
                    std::string_view bText);

// An entry of a field check list: the caption, the field it stands for and
// its check mark. Entry order is display (or statistics) order.
struct FieldEntry {
    std::string name;
    int field = 0;
    bool checked = false;
    bool operator==(const FieldEntry&) const = default;
};
// One entry per field, captioned with the name as it stands now.
std::vector<FieldEntry> FieldEntries(const LogBase& base, bool checked);
// Move Up / Move Down on the selected entry (-1 for none); returns the new
// index of the selection, or -1 when nothing moved.
int MoveEntryUp(std::vector<FieldEntry>& entries, int selected);
int MoveEntryDown(std::vector<FieldEntry>& entries, int selected);

// A column of the view offered in a report list: its name and view column.
struct ViewColumn {
    std::string name;
    int column = 0;
};

// The view: row 0 the names of the displayed fields, rows 1.. one per passing
// transaction; each data row knows its base row (its row tag).
class LogView {
public:
    explicit LogView(LogBase& base) : base_(&base) {}

    LogBase& Base() const { return *base_; }

    // The view refresh: trims the names, takes the checked entries in order
    // as columns and the transactions that pass `filters` (all when null).
    void Refresh(const std::vector<FieldEntry>& entries, const RowFilter* filters);

    int ColCount() const { return static_cast<int>(fields_.size()); }
    int RowCount() const { return static_cast<int>(rows_.size()) + 1; }
    int DataRowCount() const { return static_cast<int>(rows_.size()); }
    int Field(int col) const { return fields_[col]; }
    const std::vector<int>& Fields() const { return fields_; }
    // Row tag of view row `row` (>= 1): its base row.
    int RowTag(int row) const { return rows_[row - 1]; }
    const std::vector<int>& Rows() const { return rows_; }
    std::string_view Cell(int col, int row) const;
    int ColumnOfField(int field) const;

    // "N of M": view data rows of transactions in the file.
    std::string TotalText() const;
    // View columns whose names contain "date"; "address" but not "email".
    std::vector<ViewColumn> DateColumns() const;
    std::vector<ViewColumn> AddressColumns() const;

    // Sorts the data rows ascending and stably by a field; rows keep their
    // order when `field` is -1.
    void SortByField(int field);

private:
    LogBase* base_;
    std::vector<int> fields_;
    std::vector<std::string> header_;
    std::vector<int> rows_;
};

// The field a sort box text stands for: the first entry (names as loaded)
// equal to the text without regard to case; -1 for "None" or no entry.
int SortField(const std::vector<std::string>& sortEntries, std::string_view text);

// The trimmed form of a field name.
std::string TrimmedName(std::string_view name);

}  // namespace pellard
