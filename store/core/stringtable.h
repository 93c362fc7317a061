#pragma once
// The string table: a rectangular table of 8-bit text cells with a width per
// column and a hidden tag per cell, stored as a table file (".dt2") or as grid
// CSV. Row 0 holds the headings. Cells are kept in one byte arena with a small
// fixed record per cell, so that a table of millions of cells stays compact.
#include "store/core/bulkbuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace brenvik {

class SafeFileWriter;

class StringTable {
public:
    explicit StringTable(int defaultWidth = 64);

    // Sizes are at least 1; a smaller value sets 1. Growing adds empty cells,
    // shrinking discards the cells beyond.
    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    void SetColCount(int n);
    void SetRowCount(int n);
    void SetSize(int cols, int rows);

    // Out-of-range reads give the empty text; out-of-range writes are ignored.
    // A view from Cell stays valid until the table is next changed.
    std::string_view Cell(int col, int row) const;
    std::string CellText(int col, int row) const { return std::string(Cell(col, row)); }
    void SetCell(int col, int row, std::string_view text);

    int DefaultWidth() const { return defaultWidth_; }
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    // Hidden per-cell values; never stored, not changed by loading.
    std::int64_t Tag(int col, int row) const;
    void SetTag(int col, int row, std::int64_t tag);

    // Row operations used by the screens; cells and tags move together.
    void InsertRow(int at);          // an empty row before `at` (at == RowCount appends)
    void DeleteRow(int row);         // RowCount never drops below 1: the last row is emptied
    void MoveRow(int from, int to);  // the row ends up at index `to`
    void ClearCells();               // every cell empty, sizes, widths and tags kept

    // The four file operations. Failures raise StoreError with the exact
    // message: "Cannot create " / "Cannot open file " / "Cannot create file "
    // followed by the path. Saves go through the safe writer, so a failed save
    // leaves the old file as it was. Loading sets only the cells the file
    // names or reaches; a load that fails leaves the table unchanged.
    //
    // Files the program did not write cannot make a load allocate without
    // bound. Numbers are read leniently (the digits up to the first
    // non-digit, clamped; a line without them is ignored). A load may give
    // the table at most LoadCellLimit(file size) cells: a table file whose
    // size line asks for more is cut down to the rows and columns its lines
    // reach, and within that limit (lines beyond it are ignored, like any
    // line outside the table); a CSV file whose lines would span more than
    // CSVCellLimit(file size) cells is refused, the table unchanged, with a
    // message naming the limit. A table file whose first line is not a size
    // line (random bytes, zeros) does not read: "Cannot open file ", the path
    // and the reason, the table unchanged.
    // A byte 26 inside a cell would end the file for every reader, so both
    // writers put a space in its place.
    void SaveToFile(const std::string& path) const;
    void LoadFromFile(const std::string& path);
    void SaveToCSV(const std::string& path, char delimiter = ',') const;
    void LoadFromCSV(const std::string& path, char delimiter = ',');

    // The table file form written to an open writer, which is not committed.
    void WriteTableFileTo(SafeFileWriter& file) const;

    // The same formats on bytes in memory.
    std::string TableFileBytes() const;
    void LoadTableFileBytes(std::string_view bytes);
    std::string CSVBytes(char delimiter = ',') const;
    void LoadCSVBytes(std::string_view bytes, char delimiter = ',');

    // Bytes held by the table, for benchmarks and memory checks.
    std::size_t MemoryUsed() const;

    // The most cells a load may give a table of `fileBytes` bytes.
    static std::size_t LoadCellLimit(std::size_t fileBytes);
    // The most cells a CSV load may give a table of `fileBytes` bytes.
    static std::size_t CSVCellLimit(std::size_t fileBytes);

private:
    struct CellRef {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    std::size_t Index(int col, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(col);
    }
    bool InRange(int col, int row) const {
        return col >= 0 && row >= 0 && col < cols_ && row < rows_;
    }
    void Resize(int cols, int rows);
    void Discard(const CellRef& ref) { garbage_ += ref.length; }
    std::uint32_t AppendToArena(std::string_view text);
    void CompactIfWasteful();
    void Compact();
    std::size_t LiveBytes() const;
    // Input to load goes to the end of the arena (or replaces it when no cell
    // holds text) and the loaders make cells refer straight into it. They
    // return where the input starts.
    std::size_t TakeInput(std::string_view bytes);
    std::size_t TakeInputFile(const std::string& path);
    void DropInput(std::size_t base);
    bool LoadTableFileTail(std::size_t base);  // false: not a table file, nothing changed
    // Empty when loaded; otherwise why not, with nothing changed.
    std::string LoadCSVTail(std::size_t base, char delimiter);
    template <class Out>
    void WriteTableFile(Out& out) const;
    template <class Out>
    void WriteCSV(Out& out, char delimiter) const;

    int cols_ = 1;
    int rows_ = 1;
    int defaultWidth_;
    detail::BulkBuffer<CellRef> cells_;  // row-major, cols_ per row
    detail::BulkBuffer<char> arena_;     // cell bytes
    std::size_t garbage_ = 0;            // arena bytes no cell refers to
    std::vector<int> widths_;
    detail::BulkBuffer<std::int64_t> tags_;  // empty until a tag is set
};

// The heading row followed by the rows whose item is checked; item i is
// table row i + 1. `copied` receives the number of rows copied.
StringTable CheckedTableRows(const StringTable& table, const std::function<bool(int item)>& checked,
                             int* copied = nullptr);

}  // namespace brenvik
