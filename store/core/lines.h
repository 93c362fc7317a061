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
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace brenvik {

// The bytes of a file up to its first byte 26, or all of them.
std::string_view TextPart(std::string_view bytes);

// Files from other programs (downloads, spreadsheets): a file that holds no
// CR at all ends its lines with LF; any CR keeps the rule above. Returns the
// byte that ends lines: '\r' or '\n'.
char LineEndByte(std::string_view bytes);
// The bytes after a leading UTF-8 byte-order mark, or all of them.
std::string_view WithoutByteOrderMark(std::string_view bytes);

// The lines of a memo or editor text: split at line breaks (CR LF, LF or
// CR); a final line break does not make an empty last line.
std::vector<std::string> MemoLines(std::string_view text);

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

// Calls f(i) for each index of the byte `c` in `s`, in order.
template <class F>
void ForEachByte(std::string_view s, char c, F&& f) {
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i needle = _mm_set1_epi8(c);
    for (; i + 16 <= s.size(); i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, needle)));
        for (; mask != 0; mask &= mask - 1) f(i + static_cast<std::size_t>(__builtin_ctz(mask)));
    }
#endif
    for (; i < s.size(); ++i)
        if (s[i] == c) f(i);
}

// Calls f(line) for every line; when f returns bool, false stops the walk.
// The same lines as LineReader gives, found in one sweep over the bytes.
template <class F>
void ForEachLine(std::string_view bytes, F&& f) {
    constexpr bool kCanStop = std::is_same_v<std::invoke_result_t<F&, std::string_view>, bool>;
    const std::string_view text = TextPart(bytes);
    std::size_t start = 0;
    bool stopped = false;
    // Every CR ends one line; the LF that may follow it was never a CR.
    ForEachByte(text, '\r', [&](std::size_t cr) {
        if (stopped) return;
        const std::string_view line = text.substr(start, cr - start);
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
        if constexpr (kCanStop) {
            stopped = !f(line);
        } else {
            f(line);
        }
    });
    if (!stopped && start < text.size()) f(text.substr(start));
}

std::size_t CountLines(std::string_view bytes);

namespace detail {
// Opens a file for reading; -1 when it cannot be opened or is a folder.
// `sizeHint` is its size as the system reports it (0 for pipes and the like).
int OpenForReading(const std::string& path, std::size_t& sizeHint);
// Reads up to `n` bytes; 0 at the end, -1 on failure.
long ReadSome(int fd, char* to, std::size_t n);
void CloseFile(int fd);
}  // namespace detail

// Appends the whole content of a file to `out` (a std::string or any buffer
// of char with size, resize and data), reading straight into it. Returns
// false, with `out` as it was, when the file cannot be opened or read.
template <class Buffer>
bool AppendWholeFile(const std::string& path, Buffer& out) {
    std::size_t expected = 0;
    const int fd = detail::OpenForReading(path, expected);
    if (fd < 0) return false;
    const std::size_t base = out.size();
    bool ok = true;
    try {
        out.resize(base + expected);
        std::size_t filled = base;
        char probe[1 << 14];
        for (;;) {
            // Past the expected end, a small block is read first, so that the
            // usual case never grows the buffer.
            const bool direct = filled < out.size();
            char* to = direct ? out.data() + filled : probe;
            const long n = detail::ReadSome(fd, to, direct ? out.size() - filled : sizeof probe);
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            if (!direct) {
                out.resize(filled + static_cast<std::size_t>(n));
                std::memcpy(out.data() + filled, probe, static_cast<std::size_t>(n));
            }
            filled += static_cast<std::size_t>(n);
        }
        out.resize(ok ? filled : base);
    } catch (...) {
        detail::CloseFile(fd);
        out.resize(base);
        throw;
    }
    detail::CloseFile(fd);
    return ok;
}

}  // namespace brenvik
