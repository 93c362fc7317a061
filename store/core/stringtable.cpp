#include "store/core/stringtable.h"

#include "store/core/error.h"
#include "store/core/lines.h"
#include "store/core/safefile.h"

#include <sys/mman.h>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace brenvik {

namespace {

// Cell offsets are 32-bit to keep a cell record at 8 bytes.
constexpr std::size_t kArenaLimit = std::numeric_limits<std::uint32_t>::max();
// Below this much waste the arena is never compacted.
constexpr std::size_t kCompactMinimum = 1 << 16;
// Output is handed to the file in pieces of about this size.
constexpr std::size_t kChunk = 1 << 20;
constexpr char kCtrlZ = 26;
constexpr const char* kNotATableFile = ": it is not a table file (its first line is no size line)";
#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23;
#endif

bool Contains(std::string_view text, char c) {
    return !text.empty() && std::memchr(text.data(), c, text.size()) != nullptr;
}

// Numbers of files the program did not write are read leniently: leading
// blanks, an optional sign, then the digits up to the first non-digit, the
// value clamped to the int range. False when there is no digit at all.
bool ReadNumber(std::string_view text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::size_t first = i;
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v <= INT_MAX) v = v * 10 + (text[i] - '0');
    }
    if (i == first) return false;
    if (negative) v = -v;
    value = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    return true;
}

bool IsWidthLine(std::string_view l) { return l.size() >= 2 && l[0] == 'c' && l[1] == 'w'; }

// Whether the first line of a file can be a table file's size line: empty,
// or a number, a comma and a number, read leniently but holding no control
// byte. Random bytes or zeros fail this, so such a file does not read,
// instead of loading as an empty table that the next save would write.
bool IsSizeLine(std::string_view l) {
    if (l.empty()) return true;
    for (char c : l)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    const std::size_t comma = l.find(',');
    int n = 0;
    return comma != std::string_view::npos && ReadNumber(l.substr(0, comma), n) &&
           ReadNumber(l.substr(comma + 1), n);
}

// The column and width of a width line; false when they are not numbers.
bool ParseWidthLine(std::string_view l, int& col, int& width) {
    const std::size_t comma = l.find(',');
    if (comma == std::string_view::npos || comma < 3) return false;
    return ReadNumber(l.substr(3, comma - 3), col) && ReadNumber(l.substr(comma + 1, 255), width);
}

// The column, row and value of a cell line; false when it is not one.
bool ParseCellLine(std::string_view l, int& col, int& row, std::string_view& value) {
    // Lines as the writer makes them: plain digits, each ended by a comma.
    std::size_t i = 0;
    auto plain = [&](int& out) {
        const std::size_t first = i;
        int v = 0;
        for (; i < l.size() && i - first < 9 && l[i] >= '0' && l[i] <= '9'; ++i)
            v = v * 10 + (l[i] - '0');
        if (i == first || i == l.size() || l[i] != ',') return false;
        out = v;
        ++i;
        return true;
    };
    if (plain(col) && plain(row)) {
        value = l.substr(i);
        return true;
    }
    const std::size_t c1 = l.find(',');
    if (c1 == std::string_view::npos) return false;
    const std::size_t c2 = l.find(',', c1 + 1);
    if (c2 == std::string_view::npos) return false;
    if (!ReadNumber(l.substr(0, c1), col) || !ReadNumber(l.substr(c1 + 1, c2 - c1 - 1), row))
        return false;
    value = l.substr(c2 + 1);
    return true;
}

// Collects output bytes; with a file, full pieces go to it as they come.
class Sink {
public:
    explicit Sink(SafeFileWriter* file = nullptr) : file_(file) {
        if (file_) buf_.reserve(kChunk + kChunk / 4);
    }
    void Add(std::string_view s) { buf_.append(s); }
    void Add(char c) { buf_.push_back(c); }
    void Number(long long n) {
        char tmp[24];
        auto result = std::to_chars(tmp, tmp + sizeof tmp, n);
        buf_.append(tmp, result.ptr);
    }
    void EndLine() {
        buf_.append("\r\n", 2);
        if (file_ && buf_.size() >= kChunk) Flush();
    }
    void Flush() {
        if (file_ && !buf_.empty()) {
            file_->Write(buf_);
            buf_.clear();
        }
    }
    std::string Take() { return std::move(buf_); }

private:
    SafeFileWriter* file_;
    std::string buf_;
};

// A byte 26 inside a value would end the file for every reader, losing all
// that follows it, so it is written as a space.
void AddText(Sink& out, std::string_view text, bool encodeBreaks, bool dropCRBeforeLF) {
    bool hasCR = Contains(text, '\r');
    if (!hasCR && !Contains(text, kCtrlZ)) {
        out.Add(text);
        return;
    }
    encodeBreaks = encodeBreaks && hasCR;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == kCtrlZ) {
            c = ' ';
        } else if (c == '\r') {
            if (dropCRBeforeLF && i + 1 < text.size() && text[i + 1] == '\n') continue;
            if (encodeBreaks) c = '\t';
        } else if (c == '\n' && encodeBreaks) {
            c = '\b';
        }
        out.Add(c);
    }
}

// The closing quote of a quoted CSV field, in the text after its opening
// quote: the first quote that ends the text or stands alone.
std::size_t FindClosingQuote(std::string_view s) {
    std::size_t i = 0;
    for (;;) {
        const void* p = std::memchr(s.data() + i, '"', s.size() - i);
        if (!p) return std::string_view::npos;
        i = static_cast<std::size_t>(static_cast<const char*>(p) - s.data());
        if (i + 1 == s.size()) return i;
        bool quoteBefore = i > 0 && s[i - 1] == '"';
        bool quoteAfter = s[i + 1] == '"';
        if (!quoteBefore && !quoteAfter) return i;
        ++i;
    }
}

// Splits one CSV line into fields: field(column, raw, unquote) for each,
// where `raw` still needs runs of quotes reduced when `unquote` is set.
template <class F>
void ParseCSVLine(std::string_view rest, char delimiter, F&& field) {
    std::size_t c = 0;
    for (;;) {
        std::size_t d = rest.find(delimiter);
        if (d == std::string_view::npos) break;
        if (rest.front() == '"') {
            rest.remove_prefix(1);
            std::size_t close = FindClosingQuote(rest);
            if (close == std::string_view::npos) {
                field(c, std::string_view(), false);
            } else {
                field(c, rest.substr(0, close), true);
                rest.remove_prefix(close + 1);
            }
            // Whatever stands between the closing quote and the delimiter
            // is dropped; with no delimiter left, it is the last field.
            std::size_t next = rest.find(delimiter);
            if (next != std::string_view::npos) rest.remove_prefix(next + 1);
        } else {
            field(c, rest.substr(0, d), false);
            rest.remove_prefix(d + 1);
        }
        ++c;
    }
    if (rest.empty()) return;
    if (rest.front() == '"') rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == '"') rest.remove_suffix(1);
    field(c, rest, true);
}

// The same split as ParseCSVLine for a line without quotes: the runs
// between delimiters, and the rest when it is not empty.
template <class F>
void SplitPlainLine(std::string_view line, char delimiter, F&& field) {
    std::size_t c = 0;
    std::size_t start = 0;
    ForEachByte(line, delimiter, [&](std::size_t at) {
        field(c++, line.substr(start, at - start));
        start = at + 1;
    });
    if (start < line.size()) field(c, line.substr(start));
}

std::size_t CountCSVFields(std::string_view line, char delimiter) {
    std::size_t count = 0;
    if (!Contains(line, '"'))
        SplitPlainLine(line, delimiter, [&](std::size_t c, std::string_view) { count = c + 1; });
    else
        ParseCSVLine(line, delimiter,
                     [&](std::size_t c, std::string_view, bool) { count = c + 1; });
    return count;
}

// Reduces every run of adjacent quotes to one, in place; returns the length.
std::size_t ReduceQuoteRuns(char* p, std::size_t n) {
    std::size_t w = 0;
    bool prevQuote = false;
    for (std::size_t i = 0; i < n; ++i) {
        bool quote = p[i] == '"';
        if (quote && prevQuote) continue;
        prevQuote = quote;
        p[w++] = p[i];
    }
    return w;
}

}  // namespace

namespace detail {

void* BulkMap(std::size_t& bytes) {
    bytes = (bytes + kBulkMinimum - 1) / kBulkMinimum * kBulkMinimum;
    // Map one huge page more and trim, so the block starts on a huge page.
    const std::size_t span = bytes + kBulkMinimum;
    void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kBulkMinimum - 1) & ~(std::uintptr_t{kBulkMinimum} - 1);
    if (aligned > start) ::munmap(raw, aligned - start);
    const std::uintptr_t end = start + span;
    if (end > aligned + bytes)
        ::munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
    void* p = reinterpret_cast<void*>(aligned);
    ::madvise(p, bytes, MADV_HUGEPAGE);  // a hint; without it, ordinary pages
    return p;
}

void BulkUnmap(void* p, std::size_t bytes) { ::munmap(p, bytes); }

void BulkCommit(void* p, std::size_t bytes) {
    // Older systems lack this; their pages then come on first touch.
    if (bytes > 0) ::madvise(p, bytes, kPopulateWrite);
}

}  // namespace detail

StringTable::StringTable(int defaultWidth) : defaultWidth_(defaultWidth), widths_(1, defaultWidth) {
    cells_.resize(1);
}

std::size_t StringTable::LoadCellLimit(std::size_t fileBytes) {
    return std::max<std::size_t>(std::size_t{1} << 22, fileBytes);
}

std::size_t StringTable::CSVCellLimit(std::size_t fileBytes) {
    // A few hundred kilobytes of short lines under one wide line span tens of
    // millions of cells: 8 bytes each, so such a file still loads, while one
    // that would need gigabytes is refused with the reason.
    return std::max<std::size_t>(std::size_t{1} << 26, fileBytes);
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

// ---------------------------------------------------------------- writing

template <class Out>
void StringTable::WriteTableFile(Out& out) const {
    out.Number(cols_);
    out.Add(',');
    out.Number(rows_);
    out.EndLine();
    for (int c = 0; c < cols_; ++c) {
        out.Add("cw ");
        out.Number(c);
        out.Add(',');
        out.Number(widths_[static_cast<std::size_t>(c)]);
        out.EndLine();
    }
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const CellRef& ref = cells_[Index(c, r)];
            if (ref.length == 0) continue;
            out.Number(c);
            out.Add(',');
            out.Number(r);
            out.Add(',');
            AddText(out, std::string_view(arena_.data() + ref.offset, ref.length), true, false);
            out.EndLine();
        }
    }
}

template <class Out>
void StringTable::WriteCSV(Out& out, char delimiter) const {
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            if (c > 0) out.Add(delimiter);
            const CellRef& ref = cells_[Index(c, r)];
            std::string_view text(arena_.data() + ref.offset, ref.length);
            if (text.empty()) {
                out.Add("\"\"");
            } else if (Contains(text, delimiter)) {
                out.Add('"');
                AddText(out, text, false, true);
                out.Add('"');
            } else {
                AddText(out, text, false, false);
            }
        }
        out.EndLine();
    }
}

std::string StringTable::TableFileBytes() const {
    Sink out;
    WriteTableFile(out);
    return out.Take();
}

std::string StringTable::CSVBytes(char delimiter) const {
    Sink out;
    WriteCSV(out, delimiter);
    return out.Take();
}

void StringTable::WriteTableFileTo(SafeFileWriter& file) const {
    Sink out(&file);
    WriteTableFile(out);
    out.Flush();
}

void StringTable::SaveToFile(const std::string& path) const {
    SafeFileWriter file(path, "Cannot create " + path);
    WriteTableFileTo(file);
    file.Commit();
}

void StringTable::SaveToCSV(const std::string& path, char delimiter) const {
    SafeFileWriter file(path, "Cannot create file " + path);
    Sink out(&file);
    WriteCSV(out, delimiter);
    out.Flush();
    file.Commit();
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

bool StringTable::LoadTableFileTail(std::size_t base) {
    const std::string_view text =
        TextPart(std::string_view(arena_.data() + base, arena_.size() - base));
    LineReader reader(text);
    std::string_view line;
    int cols = cols_;
    int rows = rows_;
    const bool hasLine = reader.Next(line);
    if (hasLine && !IsSizeLine(line)) return false;
    if (hasLine && !line.empty()) {
        const std::size_t comma = line.find(',');
        int n = 0;
        if (comma != std::string_view::npos && ReadNumber(line.substr(0, comma), n))
            cols = std::max(n, 1);
        if (ReadNumber(comma == std::string_view::npos ? line : line.substr(comma + 1), n))
            rows = std::max(n, 1);
    }

    // A size line asking for more cells than the file could fill is cut to
    // what its lines reach, and to the limit; lines beyond are ignored.
    const std::size_t limit = LoadCellLimit(text.size());
    if (static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows) > limit) {
        int reachCols = 1;
        int reachRows = 1;
        ForEachLine(reader.Rest(), [&](std::string_view l) {
            int col = 0, row = 0, width = 0;
            std::string_view value;
            if (IsWidthLine(l)) {
                if (ParseWidthLine(l, col, width) && col >= 0 && col < cols)
                    reachCols = std::max(reachCols, col + 1);
            } else if (ParseCellLine(l, col, row, value) && col >= 0 && col < cols && row >= 0 &&
                       row < rows) {
                reachCols = std::max(reachCols, col + 1);
                reachRows = std::max(reachRows, row + 1);
            }
        });
        cols = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(reachCols), limit));
        rows = std::min(rows, reachRows);
        const std::size_t maxRows = limit / static_cast<std::size_t>(cols);
        if (static_cast<std::size_t>(rows) > maxRows)
            rows = static_cast<int>(std::max<std::size_t>(maxRows, 1));
    }
    Resize(cols, rows);

    ForEachLine(reader.Rest(), [&](std::string_view l) {
        int col = 0, row = 0;
        if (IsWidthLine(l)) {
            int width = 0;
            if (ParseWidthLine(l, col, width) && col >= 0 && col < cols_)
                widths_[static_cast<std::size_t>(col)] = width;
            return;
        }
        std::string_view value;
        if (!ParseCellLine(l, col, row, value) || !InRange(col, row)) return;
        const std::size_t offset = static_cast<std::size_t>(value.data() - arena_.data());
        std::size_t length = value.size();
        if (Contains(value, '\b')) {
            // Encoded line breaks: TAB stands for CR, BS for LF. Cells hold
            // one line, so the value ends at the first CR, and only BS is
            // left to turn back, in place.
            const std::size_t tab = value.find('\t');
            if (tab != std::string_view::npos) length = tab;
            char* p = arena_.data() + offset;
            std::replace(p, p + length, '\b', '\n');
        }
        CellRef& ref = cells_[Index(col, row)];
        Discard(ref);
        ref = CellRef{static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)};
    });
    arena_.resize(base + text.size());
    garbage_ = arena_.size() - LiveBytes();
    CompactIfWasteful();
    return true;
}

std::string StringTable::LoadCSVTail(std::size_t base, char delimiter) {
    const std::string_view text =
        TextPart(std::string_view(arena_.data() + base, arena_.size() - base));

    // First pass: the size of the table the file spans.
    std::size_t lines = 0;
    std::size_t fields = 0;
    ForEachLine(text, [&](std::string_view line) {
        ++lines;
        fields = std::max(fields, CountCSVFields(line, delimiter));
    });
    const std::size_t cols = std::max(static_cast<std::size_t>(cols_), fields);
    const std::size_t rows = std::max<std::size_t>(lines, 1);
    const std::size_t limit = std::max(CSVCellLimit(text.size()), cells_.size());
    if (cols > INT_MAX || rows > INT_MAX || cols * rows > limit)
        return "its lines span " + std::to_string(cols) + " columns and " + std::to_string(rows) +
               " rows, more than the " + std::to_string(limit) + " cells a table can hold";
    // Every LF may become CR LF; offsets must stay 32-bit.
    if (base + 2 * text.size() > kArenaLimit)
        return "it holds more than the " + std::to_string(kArenaLimit / 2) +
               " bytes of text a table can hold";
    Resize(static_cast<int>(cols), static_cast<int>(rows));

    // Second pass: cells refer into the file's bytes. Unquoting only
    // shortens a field, so it is done in place; a field whose LFs become
    // CR LF grows and goes to the end of the arena.
    const std::size_t extraBase = base + text.size();
    std::string extra;
    char* const arena = arena_.data();
    int r = 0;
    auto put = [&](std::size_t c, std::size_t offset, std::size_t length) {
        CellRef& ref = cells_[Index(static_cast<int>(c), r)];
        Discard(ref);
        ref = CellRef{static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)};
    };
    ForEachLine(text, [&](std::string_view line) {
        const bool lineHasLF = Contains(line, '\n');
        if (!lineHasLF && !Contains(line, '"')) {
            // Most lines: every field is a run of the file's bytes as it is.
            SplitPlainLine(line, delimiter, [&](std::size_t c, std::string_view f) {
                put(c, f.empty() ? 0 : static_cast<std::size_t>(f.data() - arena), f.size());
            });
            ++r;
            return;
        }
        ParseCSVLine(line, delimiter, [&](std::size_t c, std::string_view raw, bool unquote) {
            std::size_t offset = raw.empty() ? 0 : static_cast<std::size_t>(raw.data() - arena);
            std::size_t length = raw.size();
            if (unquote && Contains(raw, '"')) length = ReduceQuoteRuns(arena + offset, length);
            if (lineHasLF && Contains(std::string_view(arena + offset, length), '\n')) {
                const std::size_t start = extra.size();
                for (std::size_t i = 0; i < length; ++i) {
                    if (arena[offset + i] == '\n') extra.push_back('\r');
                    extra.push_back(arena[offset + i]);
                }
                offset = extraBase + start;
                length = extra.size() - start;
            }
            put(c, offset, length);
        });
        ++r;
    });
    arena_.resize(extraBase);
    arena_.Append(extra.data(), extra.size());
    garbage_ = arena_.size() - LiveBytes();
    CompactIfWasteful();
    return {};
}

void StringTable::LoadFromFile(const std::string& path) {
    const std::size_t base = TakeInputFile(path);
    if (!LoadTableFileTail(base)) {
        DropInput(base);
        throw StoreError("Cannot open file " + path + kNotATableFile);
    }
}

void StringTable::LoadTableFileBytes(std::string_view bytes) {
    const std::size_t base = TakeInput(bytes);
    if (!LoadTableFileTail(base)) {
        DropInput(base);
        throw StoreError(std::string("Cannot open file ") + kNotATableFile);
    }
}

void StringTable::LoadFromCSV(const std::string& path, char delimiter) {
    const std::size_t base = TakeInputFile(path);
    const std::string refused = LoadCSVTail(base, delimiter);
    if (!refused.empty()) {
        DropInput(base);
        throw StoreError("Cannot load " + path + ": " + refused + ".");
    }
}

void StringTable::LoadCSVBytes(std::string_view bytes, char delimiter) {
    const std::size_t base = TakeInput(bytes);
    const std::string refused = LoadCSVTail(base, delimiter);
    if (!refused.empty()) {
        DropInput(base);
        throw StoreError("Cannot load the text: " + refused + ".");
    }
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
