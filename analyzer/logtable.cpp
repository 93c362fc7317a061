#include "analyzer/logtable.h"

#include "store/core/csvfields.h"
#include "store/core/error.h"
#include "store/core/lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <limits>
#include <thread>

namespace pellard {

namespace {

constexpr std::size_t kOffsetLimit = std::numeric_limits<std::uint32_t>::max() - 2;

std::string SizeText(std::size_t bytes) {
    char buf[64];
    if (bytes < (std::size_t{1} << 20)) return std::to_string(bytes) + " bytes";
    if (bytes >= (std::size_t{1} << 30))
        std::snprintf(buf, sizeof buf, "%.1f GB", static_cast<double>(bytes) / (1 << 30));
    else std::snprintf(buf, sizeof buf, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
    return buf;
}

std::string Shown(std::string_view name) {
    return name == "-" ? "standard input" : std::string(name);
}

std::size_t CountByte(const char* p, std::size_t n, char c) {
    std::size_t count = 0;
    brenvik::ForEachByte(std::string_view(p, n), c, [&](std::size_t) { ++count; });
    return count;
}

// One part of the text, whole lines only.
struct Part {
    std::size_t begin = 0, end = 0;
    std::size_t lines = 0, entries = 0, widest = 0, longest = 0;
    std::size_t longLine = SIZE_MAX;  // first line (of this part) over the limit
    bool utf8 = true;
};

// Walks the lines of [begin, end): f(lineBegin, lineEnd) for each.
template <class F>
void WalkLines(const char* text, std::size_t begin, std::size_t end, std::size_t textEnd, char eol,
               F&& f) {
    std::size_t pos = begin;
    while (pos < end) {
        const void* hit = std::memchr(text + pos, eol, end - pos);
        const std::size_t e =
            hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text) : end;
        f(pos, e);
        pos = e + 1;
        if (hit && eol == '\r' && pos < textEnd && text[pos] == '\n') ++pos;
    }
}

}  // namespace

bool IsUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        // Plain ASCII eight bytes at a time.
        if (i + 8 <= n) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            if ((w & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        unsigned min;
        if (c >= 0xC2 && c <= 0xDF) len = 2, min = 0x80;
        else if (c >= 0xE0 && c <= 0xEF) len = 3, min = 0x800;
        else if (c >= 0xF0 && c <= 0xF4) len = 4, min = 0x10000;
        else return false;
        if (i + len > n) return false;
        unsigned cp = c & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = cp << 6 | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

void ForParts(std::size_t n, std::size_t minPart,
              const std::function<void(std::size_t, std::size_t)>& f) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t parts = std::min<std::size_t>(
        cores, std::max<std::size_t>(1, n / std::max<std::size_t>(minPart, 1)));
    if (parts <= 1) {
        f(0, n);
        return;
    }
    std::vector<std::thread> threads;
    for (std::size_t k = 1; k < parts; ++k)
        threads.emplace_back([&, k] { f(n * k / parts, n * (k + 1) / parts); });
    f(0, n / parts);
    for (auto& t : threads) t.join();
}

std::size_t LargestLoadableFile() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    std::size_t memory = pages > 0 && size > 0
                             ? static_cast<std::size_t>(pages) * static_cast<std::size_t>(size)
                             : kOffsetLimit;
    return std::min(kOffsetLimit, memory / 3 * 2);
}

void LogTable::Load(const std::string& path, const LoadLimits& limits,
                    const std::atomic<bool>* cancel) {
    const std::size_t maxBytes = limits.maxBytes ? limits.maxBytes : LargestLoadableFile();
    const bool stdinput = path == "-";
    const int fd = stdinput ? 0 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw brenvik::StoreError("Cannot open file " + path);
    struct Closer {
        int fd;
        bool own;
        ~Closer() {
            if (own) ::close(fd);
        }
    } closer{fd, !stdinput};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))
        throw brenvik::StoreError("Cannot open file " + path);
    const bool regular = S_ISREG(st.st_mode);
    if (regular && static_cast<std::size_t>(st.st_size) > maxBytes)
        throw brenvik::StoreError(
            Shown(path) + " is " + SizeText(static_cast<std::size_t>(st.st_size)) +
            ", more than the " + SizeText(maxBytes) + " this computer can hold in memory.");

    *this = LogTable();
    // Read in blocks into one buffer; a stream is watched as it comes, so
    // that an endless one stops within bounded memory.
    if (regular) bytes_.reserve(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t lastEnd = 0;  // just after the last CR or LF seen
    std::size_t line = 1;
    for (;;) {
        if (cancel && cancel->load()) {
            *this = LogTable();
            return;
        }
        const std::size_t have = bytes_.size();
        // A regular file is read into the place reserved for it; past its
        // size (a file that grew), or from a stream, in blocks.
        char probe[1 << 16];
        const std::size_t room =
            regular && have < static_cast<std::size_t>(st.st_size)
                ? std::min(static_cast<std::size_t>(st.st_size) - have, std::size_t{64} << 20)
                : 0;
        if (room > 0) bytes_.resize(have + room);
        char* to = room > 0 ? bytes_.data() + have : probe;
        ssize_t got;
        do {
            got = ::read(fd, to, room > 0 ? room : sizeof probe);
        } while (got < 0 && errno == EINTR);
        if (got < 0) throw brenvik::StoreError("Cannot open file " + path);
        if (room > 0) bytes_.resize(have + static_cast<std::size_t>(got));
        else bytes_.Append(probe, static_cast<std::size_t>(got));
        if (got == 0) break;
        if (bytes_.size() > maxBytes)
            throw brenvik::StoreError(Shown(path) + " is larger than the " + SizeText(maxBytes) +
                                      " this computer can hold in memory.");
        if (!regular) {
            for (std::size_t i = have; i < bytes_.size(); ++i) {
                const char c = bytes_[i];
                if (c != '\r' && c != '\n') continue;
                ++line;
                lastEnd = i + 1;
            }
            if (bytes_.size() - lastEnd > limits.maxLine)
                throw brenvik::StoreError("Line " + std::to_string(line) + " of " + Shown(path) +
                                          " is longer than " + SizeText(limits.maxLine) +
                                          ": this is not a transaction file.");
        }
    }
    Parse(limits, Shown(path));
}

void LogTable::LoadBytes(std::string_view bytes, const LoadLimits& limits) {
    *this = LogTable();
    bytes_.Append(bytes.data(), bytes.size());
    Parse(limits, "the file");
}

void LogTable::Parse(const LoadLimits& limits, std::string_view name) {
    if (bytes_.size() > kOffsetLimit)
        throw brenvik::StoreError(std::string(name) + " is too large to open.");
    char* const text = bytes_.data();
    std::string_view all = brenvik::TextPart(std::string_view(text, bytes_.size()));
    const std::size_t first = brenvik::WithoutByteOrderMark(all).data() - all.data();
    const std::size_t textEnd = all.size();
    const char eol = brenvik::LineEndByte(all.substr(first));
    const char delimiter = ',';

    // Parts of whole lines, one per core for a large file.
    std::vector<Part> parts;
    {
        const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
        const std::size_t n = textEnd - first;
        const std::size_t count =
            std::min<std::size_t>(cores, std::max<std::size_t>(1, n / (std::size_t{4} << 20)));
        std::size_t at = first;
        for (std::size_t k = 1; k <= count; ++k) {
            std::size_t end = k == count ? textEnd : std::max(at, first + n * k / count);
            if (end < textEnd) {
                const void* hit = std::memchr(text + end, eol, textEnd - end);
                end = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text) + 1
                          : textEnd;
                if (hit && eol == '\r' && end < textEnd && text[end] == '\n') ++end;
            }
            parts.push_back(Part{at, end});
            at = end;
        }
    }
    auto runParts = [&](auto&& f) {
        if (parts.size() == 1) {
            f(parts[0]);
            return;
        }
        std::vector<std::thread> threads;
        for (std::size_t k = 1; k < parts.size(); ++k)
            threads.emplace_back([&, k] { f(parts[k]); });
        f(parts[0]);
        for (auto& t : threads) t.join();
    };

    // First sweep: lines, fields and the longest line, per part.
    runParts([&](Part& p) {
        p.utf8 = IsUtf8(std::string_view(text + p.begin, p.end - p.begin));
        WalkLines(text, p.begin, p.end, textEnd, eol, [&](std::size_t b, std::size_t e) {
            if (e - b > limits.maxLine && p.longLine == SIZE_MAX) p.longLine = p.lines;
            p.longest = std::max(p.longest, e - b);
            ++p.lines;
            std::size_t fields;
            if (!std::memchr(text + b, '"', e - b)) {
                fields = CountByte(text + b, e - b, delimiter);
                if (e > b && text[e - 1] != delimiter) ++fields;
            } else {
                fields = 0;
                brenvik::ParseCSVLine(std::string_view(text + b, e - b), delimiter,
                                      [&](std::size_t, std::string_view, bool) { ++fields; });
            }
            p.entries += fields + 1;
            p.widest = std::max(p.widest, fields);
        });
    });
    std::size_t lines = 0, entries = 0, widest = 0, longest = 0;
    bool utf8 = true;
    for (const Part& p : parts) {
        if (p.longLine != SIZE_MAX)
            throw brenvik::StoreError("Line " + std::to_string(lines + p.longLine + 1) + " of " +
                                      std::string(name) + " is longer than " +
                                      SizeText(limits.maxLine) +
                                      ": this is not a transaction file.");
        lines += p.lines;
        entries += p.entries;
        widest = std::max(widest, p.widest);
        longest = std::max(longest, p.longest);
        utf8 = utf8 && p.utf8;
    }
    if (lines >= INT_MAX || widest >= INT_MAX || entries >= kOffsetLimit)
        throw brenvik::StoreError(std::string(name) + " is too large to open.");

    rowStart_.resize(lines + 1);
    // Offsets from the line start fit 16 bits when the line and the byte
    // after it do.
    narrow_ = longest + 1 < 65536;
    if (narrow_) {
        narrowStarts_.resize(entries);
        linePos_.resize(lines);
    } else {
        starts_.resize(entries);
    }
    // Second sweep: where each field starts. A line with quotes is written
    // again in place with each field unquoted and one byte between fields,
    // which never reaches past what is still to be read.
    std::vector<std::size_t> rowBase(parts.size()), entryBase(parts.size());
    for (std::size_t k = 1; k < parts.size(); ++k) {
        rowBase[k] = rowBase[k - 1] + parts[k - 1].lines;
        entryBase[k] = entryBase[k - 1] + parts[k - 1].entries;
    }
    runParts([&](Part& p) {
        const std::size_t k = static_cast<std::size_t>(&p - parts.data());
        std::uint32_t* rowOut = rowStart_.data() + rowBase[k];
        std::uint32_t* posOut = narrow_ ? linePos_.data() + rowBase[k] : nullptr;
        std::uint32_t* wide = starts_.data();
        std::uint16_t* narrow = narrowStarts_.data();
        std::size_t entry = entryBase[k];
        std::size_t lineStart = 0;
        auto put = [&](std::size_t at) {
            if (narrow_) narrow[entry++] = static_cast<std::uint16_t>(at - lineStart);
            else wide[entry++] = static_cast<std::uint32_t>(at);
        };
        WalkLines(text, p.begin, p.end, textEnd, eol, [&](std::size_t b, std::size_t e) {
            *rowOut++ = static_cast<std::uint32_t>(entry);
            lineStart = b;
            if (posOut) *posOut++ = static_cast<std::uint32_t>(b);
            put(b);
            if (!std::memchr(text + b, '"', e - b)) {
                brenvik::ForEachByte(std::string_view(text + b, e - b), delimiter,
                                     [&](std::size_t at) { put(b + at + 1); });
                if (e > b && text[e - 1] != delimiter) put(e + 1);
                return;
            }
            std::size_t w = b;
            brenvik::ParseCSVLine(std::string_view(text + b, e - b), delimiter,
                                  [&](std::size_t, std::string_view raw, bool unquote) {
                                      std::size_t len = raw.size();
                                      if (len) std::memmove(text + w, raw.data(), len);
                                      if (unquote) {
                                          std::size_t kept = 0;
                                          bool prevQuote = false;
                                          for (std::size_t i = 0; i < len; ++i) {
                                              const bool quote = text[w + i] == '"';
                                              if (quote && prevQuote) continue;
                                              prevQuote = quote;
                                              text[w + kept++] = text[w + i];
                                          }
                                          len = kept;
                                      }
                                      w += len;
                                      if (w < e) text[w] = delimiter;
                                      put(++w);
                                  });
        });
    });
    rowStart_[lines] = static_cast<std::uint32_t>(entries);
    rows_ = static_cast<int>(lines);
    cols_ = static_cast<int>(widest);
    utf8_ = utf8;
}

int LogTable::FieldsOnRow(int row) const {
    if (row < 0 || row >= rows_) return 0;
    return static_cast<int>(rowStart_[static_cast<std::size_t>(row) + 1] -
                            rowStart_[static_cast<std::size_t>(row)] - 1);
}

std::size_t LogTable::MemoryUsed() const {
    return bytes_.capacity() + rowStart_.capacity() * 4 + starts_.capacity() * 4 +
           narrowStarts_.capacity() * 2 + linePos_.capacity() * 4;
}

}  // namespace pellard
