#include "store/core/codepage.h"

#include "store/core/utf8.h"

#include <array>

namespace brenvik {

namespace {

constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xF0 | (u >> 18));
        out += char(0x80 | ((u >> 12) & 0x3F));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& out) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) {
        out = c;
        return 1;
    }
    std::size_t n;
    char32_t u;
    char32_t min;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2, u = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3, u = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4, u = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        u = (u << 6) | (b(i + k) & 0x3F);
    }
    if (u < min || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
    out = u;
    return n;
}

char32_t WesternToUnicode(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? char32_t(kHigh[byte - 0x80]) : char32_t(byte);
}

std::optional<unsigned char> UnicodeToWestern(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

bool IsAscii(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

bool IsValidUtf8(std::string_view bytes) {
    char32_t u;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = DecodeUtf8(bytes, i, u);
        if (!n) return false;
        i += n;
    }
    return true;
}

std::string WesternToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) AppendUtf8(out, WesternToUnicode(c));
    return out;
}

std::string Utf8ToWestern(std::string_view text, std::size_t* firstUnmapped) {
    std::string out;
    out.reserve(text.size());
    bool reported = false;
    char32_t u;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = DecodeUtf8(text, i, u);
        if (!n) {
            out += text[i++];
            continue;
        }
        if (auto b = UnicodeToWestern(u)) {
            out += char(*b);
        } else {
            out += '?';
            if (firstUnmapped && !reported) *firstUnmapped = i;
            reported = true;
        }
        i += n;
    }
    return out;
}

unsigned char LowerWestern(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

std::string LowerWestern(std::string_view text) {
    std::string out(text);
    for (char& ch : out) ch = static_cast<char>(LowerWestern(static_cast<unsigned char>(ch)));
    return out;
}

}  // namespace brenvik
