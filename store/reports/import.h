#pragma once
// Import of records from a comma-separated or text file into the inventory
// or the customer table: reading the file as stores have it, assigning file
// columns to table fields, and filling the table's empty rows first, then
// new rows at the end, without ever writing over a record.
#include "store/core/fields.h"
#include "store/core/stringtable.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The most rows an imported-into table may have, heading row included.
inline constexpr int kImportRowLimit = 10000;
// A file column that feeds no field.
inline constexpr int kNotAssigned = -1;
inline constexpr const char* kNotAssignedCaption = "Not Assigned";

// A file read for import. Row 0 of `grid` is the assignment row (empty until
// the caller writes the captions); rows 1..N hold the file's lines, one cell
// per comma-separated value, in UTF-8 whatever the file held, so that every
// character shows as it is.
struct ImportFile {
    StringTable grid;
    // lines[r]: the line of the file, from 1, on which record r starts;
    // lines[0] is unused.
    std::vector<int> lines{0};

    int Records() const { return static_cast<int>(lines.size()) - 1; }
    int Columns() const { return grid.ColCount(); }
};

// Reads the bytes of a file: a leading UTF-8 byte-order mark is skipped; a
// file that is not valid UTF-8 is taken as the Western code page; a file
// without any CR ends its lines with LF. Values are split as the grid CSV
// reader splits them; a quoted value that runs over a line end continues on
// the next line (when its quote closes before the end of the file).
ImportFile ReadImportBytes(std::string_view bytes);
// The same on a file; StoreError "Cannot open file <path>" when it cannot be
// read.
ImportFile ReadImportFile(const std::string& path);

// The target column whose heading is `name` (UTF-8 or code page bytes),
// ignoring case and blanks at either end; kNotAssigned when none is.
int FindImportField(const StringTable& target, std::string_view name);

// For every file column still unassigned whose title in the first line
// names a field that no column feeds yet, assigns it to that field.
void AssignByTitles(const ImportFile& file, const StringTable& target,
                    std::vector<int>& assignment);

// The row-0 captions: the assigned field's heading, else "Not Assigned".
void WriteAssignmentRow(ImportFile& file, const StringTable& target,
                        const std::vector<int>& assignment);

// The field menu's enable state: entry 0 is "Not Assigned", entry k + 1 the
// field of target column k. With two or more file columns, fields already
// assigned to a column are disabled.
std::vector<bool> FieldMenuEnabled(const std::vector<int>& assignment, int fieldCount);

// What an import would do, worked out before anything changes.
struct ImportPlan {
    // One record per file line that gives any field a value: the target's
    // field count of values each, in the code page, line breaks made spaces.
    std::vector<std::vector<std::string>> records;
    std::vector<int> rows;  // the target row of each record
    int fillEmpty = 0;      // records going into empty rows
    int append = 0;         // records going into new rows at the end
    int room = 0;           // empty rows plus rows that may still be added
    // Why the import cannot be done (UTF-8), or empty.
    std::string refusal;

    bool Allowed() const { return refusal.empty(); }
};

// `skipFirstLine`: the first line holds titles and is not imported.
ImportPlan PlanImport(const ImportFile& file, const std::vector<int>& assignment,
                      bool skipFirstLine, const StringTable& target);

// The dialog's status line for a plan.
std::string ImportStatusText(const ImportPlan& plan);

// Writes an allowed plan into the target. With `histories` (the inventory's,
// one per row), every written row gets a new, empty history.
void ApplyImport(const ImportPlan& plan, StringTable& target,
                 std::vector<HistoryList>* histories = nullptr);

// A value as a table cell can hold it: a table file keeps only the part of
// a cell before its first line break and reads a BS as one, so each line
// break (CR LF, CR or LF) and each BS becomes a space.
std::string CellSafe(std::string_view value);

}  // namespace brenvik
