// The table file format (".dt2") of the string table: writing, and the
// lenient reading of files the program did not write.
#include "store/core/stringtable.h"

#include "store/core/error.h"
#include "store/core/lines.h"
#include "store/core/tableio.h"

#include <algorithm>
#include <climits>

namespace brenvik {

using tableio::Contains;
using tableio::Sink;

namespace {

constexpr const char* kNotATableFile = ": it is not a table file (its first line is no size line)";

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

}  // namespace

std::size_t StringTable::LoadCellLimit(std::size_t fileBytes) {
    return std::max<std::size_t>(std::size_t{1} << 22, fileBytes);
}

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
            tableio::AddText(out, std::string_view(arena_.data() + ref.offset, ref.length), true,
                             false);
            out.EndLine();
        }
    }
}

std::string StringTable::TableFileBytes() const {
    Sink out;
    WriteTableFile(out);
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

}  // namespace brenvik
