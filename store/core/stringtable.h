#pragma once
// The string table: a rectangular table of 8-bit text cells with a width per
// column and a hidden tag per cell, stored as a table file (".dt2") or as grid
// CSV. Row 0 holds the headings. Cells are kept in one byte arena with a small
// fixed record per cell, so that a table of millions of cells stays compact.
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

namespace detail {

// Large blocks are mapped straight from the system, in huge pages where it
// offers them, and made resident a few megabytes at a time as they fill:
// touching fresh memory page by page costs more than reading the file.
void* BulkMap(std::size_t& bytes);  // rounds `bytes` up to what it maps
void BulkUnmap(void* p, std::size_t bytes);
void BulkCommit(void* p, std::size_t bytes);
constexpr std::size_t kBulkMinimum = std::size_t{2} << 20;

// A growable array of plain values kept in such memory once it is large.
template <class T>
class BulkBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    BulkBuffer() = default;
    BulkBuffer(const BulkBuffer& other) { Append(other.data_, other.size_); }
    BulkBuffer(BulkBuffer&& other) noexcept { swap(other); }
    BulkBuffer& operator=(BulkBuffer other) noexcept {
        swap(other);
        return *this;
    }
    ~BulkBuffer() { Release(); }

    void swap(BulkBuffer& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
        std::swap(mapped_, other.mapped_);
        std::swap(committed_, other.committed_);
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

    // Exactly `n` places, so a table loaded at its final size wastes nothing.
    void reserve(std::size_t n) {
        if (n > capacity_) Reallocate(n);
    }
    // New places are value-initialised (zero).
    void resize(std::size_t n) {
        if (n > size_) {
            Grow(n);
            std::memset(static_cast<void*>(data_ + size_), 0, (n - size_) * sizeof(T));
        }
        size_ = n;
    }
    void clear() {
        BulkBuffer empty;
        swap(empty);
    }
    void Append(const T* p, std::size_t n) {
        if (n == 0) return;
        Grow(size_ + n);
        std::memcpy(static_cast<void*>(data_ + size_), p, n * sizeof(T));
        size_ += n;
    }
    // Gives back to the system the whole huge pages beyond the size.
    void Trim() {
        if (!mapped_) return;
        const std::size_t keep = Round(size_ * sizeof(T));
        const std::size_t have = capacity_ * sizeof(T);
        if (keep == 0) {
            clear();
        } else if (keep < have) {
            BulkUnmap(reinterpret_cast<char*>(data_) + keep, have - keep);
            capacity_ = keep / sizeof(T);
            committed_ = std::min(committed_, keep);
        }
    }
    void InsertZeros(std::size_t at, std::size_t n) {
        Grow(size_ + n);
        std::memmove(static_cast<void*>(data_ + at + n), data_ + at, (size_ - at) * sizeof(T));
        std::memset(static_cast<void*>(data_ + at), 0, n * sizeof(T));
        size_ += n;
    }
    void Erase(std::size_t at, std::size_t n) {
        std::memmove(static_cast<void*>(data_ + at), data_ + at + n, (size_ - at - n) * sizeof(T));
        size_ -= n;
    }

private:
    void Grow(std::size_t n) {
        if (n > capacity_) Reallocate(std::max(n, capacity_ + capacity_ / 2));
        if (mapped_ && n * sizeof(T) > committed_) {
            std::size_t want = std::min(Round(n * sizeof(T)), capacity_ * sizeof(T));
            BulkCommit(reinterpret_cast<char*>(data_) + committed_, want - committed_);
            committed_ = want;
        }
    }
    static std::size_t Round(std::size_t bytes) {
        return (bytes + kBulkMinimum - 1) / kBulkMinimum * kBulkMinimum;
    }
    void Reallocate(std::size_t n) {
        std::size_t bytes = n * sizeof(T);
        T* fresh;
        bool mapped = bytes >= kBulkMinimum;
        std::size_t committed = 0;
        if (mapped) {
            fresh = static_cast<T*>(BulkMap(bytes));
            committed = std::min(Round(size_ * sizeof(T)), bytes);
            BulkCommit(fresh, committed);
        } else {
            fresh = static_cast<T*>(::operator new(bytes));
        }
        if (size_) std::memcpy(static_cast<void*>(fresh), data_, size_ * sizeof(T));
        const std::size_t size = size_;
        Release();
        data_ = fresh;
        size_ = size;
        capacity_ = bytes / sizeof(T);
        mapped_ = mapped;
        committed_ = committed;
    }
    void Release() {
        if (!data_) return;
        if (mapped_) BulkUnmap(data_, capacity_ * sizeof(T));
        else ::operator delete(data_);
        data_ = nullptr;
        size_ = capacity_ = committed_ = 0;
        mapped_ = false;
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
    std::size_t committed_ = 0;  // bytes made resident, when mapped
};

}  // namespace detail

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
