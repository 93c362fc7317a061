#include "store/core/stringtable.h"

#include "store/core/error.h"
#include "store/core/lines.h"
#include "store/core/tableio.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>

namespace brenvik {

using tableio::kArenaLimit;

namespace {

// Below this much waste the arena is never compacted.
constexpr std::size_t kCompactMinimum = 1 << 16;

}  // namespace

StringTable::StringTable(int defaultWidth) : defaultWidth_(defaultWidth), widths_(1, defaultWidth) {
    cells_.resize(1);
}

// ---------------------------------------------------------------- sizes

void StringTable::SetColCount(int n) { SetSize(n, rows_); }
void StringTable::SetRowCount(int n) { SetSize(cols_, n); }
void StringTable::SetSize(int cols, int rows) {
    Resize(cols, rows);
    CompactIfWasteful();
}

// Never compacts: loaders resize while the arena holds their unread input.
void StringTable::Resize(int cols, int rows) {
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    if (cols == cols_ && rows == rows_) return;
    const std::size_t newCount = static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
    if (cols == cols_) {
        for (std::size_t i = newCount; i < cells_.size(); ++i) Discard(cells_[i]);
        cells_.resize(newCount);
        if (!tags_.empty()) tags_.resize(newCount);
    } else {
        const int keepCols = std::min(cols, cols_);
        const int keepRows = std::min(rows, rows_);
        detail::BulkBuffer<CellRef> cells;
        cells.reserve(newCount);
        cells.resize(newCount);
        detail::BulkBuffer<std::int64_t> tags;
        if (!tags_.empty()) {
            tags.reserve(newCount);
            tags.resize(newCount);
        }
        for (int r = 0; r < rows_; ++r) {
            for (int c = 0; c < cols_; ++c) {
                const std::size_t from = Index(c, r);
                if (r < keepRows && c < keepCols) {
                    const std::size_t to = static_cast<std::size_t>(r) * cols + c;
                    cells[to] = cells_[from];
                    if (!tags.empty()) tags[to] = tags_[from];
                } else {
                    Discard(cells_[from]);
                }
            }
        }
        cells_.swap(cells);
        tags_.swap(tags);
    }
    // Columns that come back after a shrink start again at the default width.
    widths_.resize(static_cast<std::size_t>(cols), defaultWidth_);
    cols_ = cols;
    rows_ = rows;
}

// ---------------------------------------------------------------- cells

std::string_view StringTable::Cell(int col, int row) const {
    if (!InRange(col, row)) return {};
    const CellRef& ref = cells_[Index(col, row)];
    if (ref.length == 0) return {};
    return std::string_view(arena_.data() + ref.offset, ref.length);
}

void StringTable::SetCell(int col, int row, std::string_view text) {
    if (!InRange(col, row)) return;
    const std::size_t i = Index(col, row);
    CellRef& ref = cells_[i];
    if (text.size() <= ref.length) {
        // No two cells share bytes, so the old place can take the new text;
        // memmove copes with text taken from the cell itself.
        if (!text.empty()) std::memmove(arena_.data() + ref.offset, text.data(), text.size());
        garbage_ += ref.length - text.size();
        ref.length = static_cast<std::uint32_t>(text.size());
        CompactIfWasteful();
        return;
    }
    Discard(ref);
    ref = CellRef{};
    const std::uint32_t offset = AppendToArena(text);
    cells_[i] = CellRef{offset, static_cast<std::uint32_t>(text.size())};
    CompactIfWasteful();
}

std::uint32_t StringTable::AppendToArena(std::string_view text) {
    const char* a = arena_.data();
    if (text.data() >= a && text.data() < a + arena_.size()) {
        // Growing the arena would move the text we copy from.
        std::string copy(text);
        return AppendToArena(copy);
    }
    if (arena_.size() + text.size() > kArenaLimit) {
        Compact();
        if (arena_.size() + text.size() > kArenaLimit)
            throw std::length_error("string table holds too much text");
    }
    const auto offset = static_cast<std::uint32_t>(arena_.size());
    arena_.Append(text.data(), text.size());
    return offset;
}

std::size_t StringTable::LiveBytes() const {
    std::size_t live = 0;
    for (const CellRef& ref : cells_) live += ref.length;
    return live;
}

void StringTable::CompactIfWasteful() {
    if (garbage_ > kCompactMinimum && garbage_ > arena_.size() / 2) Compact();
}

void StringTable::Compact() {
    // Cells loaded from a file lie in the arena in cell order; their bytes
    // can then slide down in place, and the freed end goes back at once.
    bool ordered = true;
    std::size_t last = 0;
    for (const CellRef& ref : cells_) {
        if (ref.length == 0) continue;
        if (ref.offset < last) {
            ordered = false;
            break;
        }
        last = std::size_t{ref.offset} + ref.length;
    }
    detail::BulkBuffer<char> fresh;
    if (!ordered) fresh.reserve(LiveBytes());
    char* const a = arena_.data();
    std::size_t used = 0;
    for (CellRef& ref : cells_) {
        if (ref.length == 0) {
            ref.offset = 0;
            continue;
        }
        if (!ordered) fresh.Append(a + ref.offset, ref.length);
        else if (ref.offset != used) std::memmove(a + used, a + ref.offset, ref.length);
        ref.offset = static_cast<std::uint32_t>(used);
        used += ref.length;
    }
    if (ordered) {
        arena_.resize(used);
        arena_.Trim();
    } else {
        arena_.swap(fresh);
    }
    garbage_ = 0;
}

int StringTable::ColWidth(int col) const {
    if (col < 0 || col >= cols_) return defaultWidth_;
    return widths_[static_cast<std::size_t>(col)];
}

void StringTable::SetColWidth(int col, int width) {
    if (col < 0 || col >= cols_) return;
    widths_[static_cast<std::size_t>(col)] = width;
}

std::int64_t StringTable::Tag(int col, int row) const {
    if (!InRange(col, row) || tags_.empty()) return 0;
    return tags_[Index(col, row)];
}

void StringTable::SetTag(int col, int row, std::int64_t tag) {
    if (!InRange(col, row)) return;
    if (tags_.empty()) {
        if (tag == 0) return;
        tags_.reserve(cells_.size());
        tags_.resize(cells_.size());
    }
    tags_[Index(col, row)] = tag;
}

// ---------------------------------------------------------------- rows

void StringTable::InsertRow(int at) {
    if (at < 0 || at > rows_ || rows_ == INT_MAX) return;
    const std::size_t pos = Index(0, at);
    cells_.InsertZeros(pos, static_cast<std::size_t>(cols_));
    if (!tags_.empty()) tags_.InsertZeros(pos, static_cast<std::size_t>(cols_));
    ++rows_;
}

void StringTable::DeleteRow(int row) {
    if (row < 0 || row >= rows_) return;
    const std::size_t first = Index(0, row);
    const std::size_t cols = static_cast<std::size_t>(cols_);
    for (std::size_t i = first; i < first + cols; ++i) Discard(cells_[i]);
    if (rows_ == 1) {
        std::fill(cells_.begin(), cells_.end(), CellRef{});
        std::fill(tags_.begin(), tags_.end(), 0);
    } else {
        cells_.Erase(first, cols);
        if (!tags_.empty()) tags_.Erase(first, cols);
        --rows_;
    }
    CompactIfWasteful();
}

namespace {
template <class V>
void MoveRowOf(V& v, std::size_t cols, std::size_t from, std::size_t to) {
    if (v.empty()) return;
    auto at = [&](std::size_t row) { return v.begin() + static_cast<std::ptrdiff_t>(row * cols); };
    if (from < to) std::rotate(at(from), at(from + 1), at(to + 1));
    else std::rotate(at(to), at(from), at(from + 1));
}
}  // namespace

void StringTable::MoveRow(int from, int to) {
    if (from < 0 || from >= rows_ || to < 0 || to >= rows_ || from == to) return;
    const auto cols = static_cast<std::size_t>(cols_);
    MoveRowOf(cells_, cols, static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    MoveRowOf(tags_, cols, static_cast<std::size_t>(from), static_cast<std::size_t>(to));
}

void StringTable::ClearCells() {
    std::fill(cells_.begin(), cells_.end(), CellRef{});
    arena_.clear();
    garbage_ = 0;
}

std::size_t StringTable::MemoryUsed() const {
    return sizeof(*this) + arena_.capacity() + cells_.capacity() * sizeof(CellRef) +
           widths_.capacity() * sizeof(int) + tags_.capacity() * sizeof(std::int64_t);
}

// ---------------------------------------------------------------- reading

std::size_t StringTable::TakeInput(std::string_view bytes) {
    const char* a = arena_.data();
    if (bytes.data() >= a && bytes.data() < a + arena_.size()) {
        std::string copy(bytes);
        return TakeInput(copy);
    }
    if (LiveBytes() == 0) {
        arena_.clear();
        arena_.reserve(bytes.size());
        arena_.Append(bytes.data(), bytes.size());
        garbage_ = 0;
        return 0;
    }
    if (arena_.size() + bytes.size() > kArenaLimit) Compact();
    if (arena_.size() + bytes.size() > kArenaLimit) throw StoreError("Cannot open file ");
    const std::size_t base = arena_.size();
    arena_.Append(bytes.data(), bytes.size());
    return base;
}

std::size_t StringTable::TakeInputFile(const std::string& path) {
    const std::string failure = "Cannot open file " + path;
    if (LiveBytes() == 0) {
        // The common case, a fresh table: the file becomes the arena.
        detail::BulkBuffer<char> bytes;
        if (!AppendWholeFile(path, bytes)) throw StoreError(failure);
        if (bytes.size() > kArenaLimit) throw StoreError(failure);
        arena_.swap(bytes);
        garbage_ = 0;
        return 0;
    }
    const std::size_t base = arena_.size();
    if (!AppendWholeFile(path, arena_)) throw StoreError(failure);
    if (arena_.size() > kArenaLimit) {
        DropInput(base);
        throw StoreError(failure);
    }
    return base;
}

void StringTable::DropInput(std::size_t base) {
    arena_.resize(base);
    garbage_ = arena_.size() - LiveBytes();
    CompactIfWasteful();
}

StringTable CheckedTableRows(const StringTable& table, const std::function<bool(int item)>& checked,
                             int* copied) {
    StringTable out(table.DefaultWidth());
    std::vector<int> rows;
    for (int item = 0; item + 1 < table.RowCount(); ++item)
        if (checked(item)) rows.push_back(item + 1);
    out.SetSize(table.ColCount(), static_cast<int>(rows.size()) + 1);
    for (int c = 0; c < table.ColCount(); ++c) {
        out.SetColWidth(c, table.ColWidth(c));
        out.SetCell(c, 0, table.Cell(c, 0));
        for (std::size_t k = 0; k < rows.size(); ++k)
            out.SetCell(c, static_cast<int>(k) + 1, table.Cell(c, rows[k]));
    }
    if (copied) *copied = static_cast<int>(rows.size());
    return out;
}

}  // namespace brenvik
