#pragma once
// What the table file and grid CSV readers and writers of the string table
// share: the arena's limit, and the output sink with the cell text rules.
#include "store/core/safefile.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace brenvik::tableio {

// Cell offsets are 32-bit to keep a cell record at 8 bytes.
inline constexpr std::size_t kArenaLimit = std::numeric_limits<std::uint32_t>::max();
// Output is handed to the file in pieces of about this size.
inline constexpr std::size_t kChunk = 1 << 20;
inline constexpr char kCtrlZ = 26;

inline bool Contains(std::string_view text, char c) {
    return !text.empty() && std::memchr(text.data(), c, text.size()) != nullptr;
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
inline void AddText(Sink& out, std::string_view text, bool encodeBreaks, bool dropCRBeforeLF) {
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

}  // namespace brenvik::tableio
