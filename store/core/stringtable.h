#pragma once
// The string table: a rectangular table of 8-bit text cells with a width per
// column and a hidden tag per cell, stored as a table file (".dt2") or as grid
// CSV. Row 0 holds the headings. Cells are kept in one byte arena with a small
// fixed record per cell, so that a table of millions of cells stays compact.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

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
    void InsertRow(int at);           // an empty row before `at` (at == RowCount appends)
    void DeleteRow(int row);          // RowCount never drops below 1
    void MoveRow(int from, int to);   // the row ends up at index `to`
    void ClearCells();                // every cell empty, sizes kept

    // The four file operations. Failures raise StoreError with the exact
    // message: "Cannot create " / "Cannot open file " / "Cannot create file "
    // followed by the path. Saves go through the safe writer.
    void SaveToFile(const std::string& path) const;
    void LoadFromFile(const std::string& path);
    void SaveToCSV(const std::string& path, char delimiter = ',') const;
    void LoadFromCSV(const std::string& path, char delimiter = ',');

    // The same formats on bytes in memory.
    std::string TableFileBytes() const;
    void LoadTableFileBytes(std::string_view bytes);
    std::string CSVBytes(char delimiter = ',') const;
    void LoadCSVBytes(std::string_view bytes, char delimiter = ',');

    // Bytes held by the table, for benchmarks and memory checks.
    std::size_t MemoryUsed() const;

private:
    struct CellRef {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    // (implementation detail; see stringtable.cpp)
    int cols_ = 1;
    int rows_ = 1;
    int defaultWidth_;
    std::vector<CellRef> cells_;        // row-major, cols_ per row
    std::string arena_;                 // cell bytes
    std::size_t garbage_ = 0;           // arena bytes no cell refers to
    std::vector<int> widths_;
    std::vector<std::int64_t> tags_;    // empty until a tag is set
};

}  // namespace brenvik
