#pragma once
// Reading the store's text files line by line, and reading files whole.
//
// A line is the run of bytes up to, not including, the next CR (13); a LF (10)
// directly after that CR belongs to the line end, a LF anywhere else is an
// ordinary character. Byte 26 (Ctrl-Z) ends the file wherever it stands, as
// does the physical end. A file that ends with a line end has no empty line
// after it; an empty file has no lines at all.
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace brenvik {

// The bytes of a file up to its first byte 26, or all of them.
std::string_view TextPart(std::string_view bytes);

class LineReader {
public:
    explicit LineReader(std::string_view bytes) : rest_(TextPart(bytes)) {}

    // The next line, without its line end. False at the end of the file.
    bool Next(std::string_view& line) {
        if (rest_.empty()) return false;
        const char* begin = rest_.data();
        const void* cr = std::memchr(begin, '\r', rest_.size());
        if (!cr) {
            line = rest_;
            rest_ = {};
            return true;
        }
        std::size_t len = static_cast<std::size_t>(static_cast<const char*>(cr) - begin);
        line = std::string_view(begin, len);
        std::size_t skip = len + 1;
        if (skip < rest_.size() && rest_[skip] == '\n') ++skip;
        rest_.remove_prefix(skip);
        return true;
    }

    // What is still unread.
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

// Calls f(line) for every line; when f returns bool, false stops the walk.
template <class F>
void ForEachLine(std::string_view bytes, F&& f) {
    LineReader reader(bytes);
    std::string_view line;
    while (reader.Next(line)) {
        if constexpr (std::is_same_v<std::invoke_result_t<F&, std::string_view>, bool>) {
            if (!f(line)) return;
        } else {
            f(line);
        }
    }
}

std::size_t CountLines(std::string_view bytes);

// Appends the whole content of a file to `out`, reading straight into it.
// Capacity for `spareFactor` times the file size more is reserved beyond the
// content; pages never written cost no memory, so a caller that may grow the
// text later avoids a second copy. Returns false, with `out` as it was, when
// the file cannot be opened or read.
bool AppendWholeFile(const std::string& path, std::string& out, double spareFactor = 0);

}  // namespace brenvik
