#pragma once
// A comma-separated transaction file held as it was read: the file's bytes in
// one buffer and, per line, where its fields start. Cells are views into the
// bytes, so a table costs little more than its file. Lines end as in the
// grid CSV reader (CR, with a LF after it belonging to the line end), except
// in a file that holds no CR at all, whose lines end with LF; a leading UTF-8
// byte-order mark is skipped. Large files are split over the processor cores.
#include "store/core/stringtable.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellard {

struct LoadLimits {
    // A longer line is refused: no transaction is that long, and a file of
    // one endless line (a device, a binary file) must not fill the memory.
    std::size_t maxLine = std::size_t{16} << 20;
    // Input beyond this is refused; 0 takes what the machine can hold.
    std::size_t maxBytes = 0;
};

// What the machine can hold of a file: the limit of 32-bit offsets or two
// thirds of the memory, whichever is less.
std::size_t LargestLoadableFile();

class LogTable {
public:
    LogTable() = default;
    LogTable(LogTable&&) noexcept = default;
    LogTable& operator=(LogTable&&) noexcept = default;

    // Reads a file; "-" is standard input, and pipes and devices are read as
    // streams. `cancel`, when given and set, stops the read (the table is
    // then left empty). Raises brenvik::StoreError with a message for the
    // user when the file cannot be read or is too large.
    void Load(const std::string& path, const LoadLimits& limits = {},
              const std::atomic<bool>* cancel = nullptr);
    void LoadBytes(std::string_view bytes, const LoadLimits& limits = {});

    int RowCount() const { return rows_; }  // lines, the heading line included
    int ColCount() const { return cols_; }  // fields of the widest line
    std::string_view Cell(int col, int row) const {
        if (row < 0 || row >= rows_ || col < 0) return {};
        const std::size_t i = rowStart_[static_cast<std::size_t>(row)];
        const std::size_t n = rowStart_[static_cast<std::size_t>(row) + 1] - i - 1;
        if (static_cast<std::size_t>(col) >= n) return {};
        std::size_t b, e;
        if (narrow_) {
            const std::size_t line = linePos_[static_cast<std::size_t>(row)];
            b = line + narrowStarts_[i + static_cast<std::size_t>(col)];
            e = line + narrowStarts_[i + static_cast<std::size_t>(col) + 1];
        } else {
            b = starts_[i + static_cast<std::size_t>(col)];
            e = starts_[i + static_cast<std::size_t>(col) + 1];
        }
        if (e <= b + 1) return {};
        return {bytes_.data() + b, e - b - 1};
    }
    // Fields on one line.
    int FieldsOnRow(int row) const;

    // True when the bytes are valid UTF-8 (plain ASCII included).
    bool Utf8() const { return utf8_; }
    // Bytes held, for benchmarks and memory checks.
    std::size_t MemoryUsed() const;

private:
    void Parse(const LoadLimits& limits, std::string_view name);

    brenvik::detail::BulkBuffer<char> bytes_;
    brenvik::detail::BulkBuffer<std::uint32_t> rowStart_;  // rows_ + 1 entries into starts_
    // Per line, where each field starts and one past the last field's end:
    // offsets into the bytes, or, when no line is longer than 64 KB (as
    // transaction lines never are), offsets from the line's start.
    brenvik::detail::BulkBuffer<std::uint32_t> starts_;
    brenvik::detail::BulkBuffer<std::uint16_t> narrowStarts_;
    brenvik::detail::BulkBuffer<std::uint32_t> linePos_;  // where each line starts, when narrow
    bool narrow_ = false;
    int rows_ = 0;
    int cols_ = 0;
    bool utf8_ = true;
};

// True when the bytes are valid UTF-8.
bool IsUtf8(std::string_view bytes);

// Calls f(first, last) over [0, n) split into parts for the machine's cores
// when n is large, on threads of their own; in order on this thread when small.
void ForParts(std::size_t n, std::size_t minPart,
              const std::function<void(std::size_t, std::size_t)>& f);

}  // namespace pellard
