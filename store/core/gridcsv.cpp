// The grid CSV format of the string table: writing, and reading with the
// quote rules, files of other programs included.
#include "store/core/stringtable.h"

#include "store/core/csvfields.h"
#include "store/core/error.h"
#include "store/core/lines.h"
#include "store/core/tableio.h"

#include <algorithm>
#include <climits>

namespace brenvik {

using tableio::Contains;
using tableio::kArenaLimit;
using tableio::Sink;

namespace {

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

std::size_t StringTable::CSVCellLimit(std::size_t fileBytes) {
    // A few hundred kilobytes of short lines under one wide line span tens of
    // millions of cells: 8 bytes each, so such a file still loads, while one
    // that would need gigabytes is refused with the reason.
    return std::max<std::size_t>(std::size_t{1} << 26, fileBytes);
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
                tableio::AddText(out, text, false, true);
                out.Add('"');
            } else {
                tableio::AddText(out, text, false, false);
            }
        }
        out.EndLine();
    }
}

std::string StringTable::CSVBytes(char delimiter) const {
    Sink out;
    WriteCSV(out, delimiter);
    return out.Take();
}

void StringTable::SaveToCSV(const std::string& path, char delimiter) const {
    SafeFileWriter file(path, "Cannot create file " + path);
    Sink out(&file);
    WriteCSV(out, delimiter);
    out.Flush();
    file.Commit();
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

}  // namespace brenvik
