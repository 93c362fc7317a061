#pragma once
// How the grid CSV reader splits a line into fields, shared by every reader
// of comma-separated text so that all of them agree on quotes.
#include <cstddef>
#include <cstring>
#include <string_view>

namespace brenvik {

// The closing quote of a quoted CSV field, in the text after its opening
// quote: the first quote that ends the text or stands alone.
inline std::size_t FindClosingQuote(std::string_view s) {
    std::size_t i = 0;
    for (;;) {
        if (i >= s.size()) return std::string_view::npos;
        const void* p = std::memchr(s.data() + i, '"', s.size() - i);
        if (!p) return std::string_view::npos;
        i = static_cast<std::size_t>(static_cast<const char*>(p) - s.data());
        if (i + 1 == s.size()) return i;
        const bool quoteBefore = i > 0 && s[i - 1] == '"';
        const bool quoteAfter = s[i + 1] == '"';
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
        const std::size_t d = rest.find(delimiter);
        if (d == std::string_view::npos) break;
        if (rest.front() == '"') {
            rest.remove_prefix(1);
            const std::size_t close = FindClosingQuote(rest);
            if (close == std::string_view::npos) {
                field(c, std::string_view(), false);
            } else {
                field(c, rest.substr(0, close), true);
                rest.remove_prefix(close + 1);
            }
            // Whatever stands between the closing quote and the delimiter
            // is dropped; with no delimiter left, it is the last field.
            const std::size_t next = rest.find(delimiter);
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

}  // namespace brenvik
