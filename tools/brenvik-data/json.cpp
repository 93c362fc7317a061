#include "json.h"

#include <cstdint>
#include <cstdio>

namespace brenvik::tool {

namespace {

// Length of the valid UTF-8 sequence at the start of `s`, or 0 when the
// first byte does not start one (stray continuation, overlong form,
// surrogate, beyond U+10FFFF, cut short).
std::size_t Utf8Length(std::string_view s) {
    auto byte = [&](std::size_t i) { return std::uint8_t(s[i]); };
    std::uint8_t b0 = byte(0);
    std::size_t n;
    std::uint8_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) n = 2;
    else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    if (byte(1) < lo || byte(1) > hi) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return n;
}

void AppendEscape(std::string& out, std::uint8_t b) {
    static const char hex[] = "0123456789abcdef";
    const char text[6] = {'\\', 'u', '0', '0', hex[b >> 4], hex[b & 15]};
    out.append(text, 6);
}

// Bytes written as they are: printable ASCII other than quote and backslash.
bool IsPlain(std::uint8_t b) { return b >= 0x20 && b < 0x80 && b != '"' && b != '\\'; }

void AppendInt(std::string& out, long long value) { out += std::to_string(value); }

void AppendKey(std::string& out, const char* key, bool first = false) {
    if (!first) out += ',';
    out += '"';
    out += key;
    out += "\":";
}

void AppendBool(std::string& out, bool value) { out += value ? "true" : "false"; }

// A named value as its name, an unnamed one as its number.
void AppendNamed(std::string& out, std::int32_t value, std::optional<std::string_view> name) {
    if (name) AppendJsonString(out, *name);
    else AppendInt(out, value);
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view bytes) {
    out += '"';
    while (!bytes.empty()) {
        std::size_t plain = 0;
        while (plain < bytes.size() && IsPlain(std::uint8_t(bytes[plain]))) ++plain;
        out.append(bytes.substr(0, plain));
        bytes.remove_prefix(plain);
        if (bytes.empty()) break;
        std::uint8_t b = std::uint8_t(bytes[0]);
        std::size_t n = Utf8Length(bytes);
        if (n == 0) {
            AppendEscape(out, b);
            n = 1;
        } else if (n > 1) {
            out.append(bytes.substr(0, n));
        } else if (b == '"') {
            out += "\\\"";
        } else if (b == '\\') {
            out += "\\\\";
        } else if (b == '\n') {
            out += "\\n";
        } else if (b == '\r') {
            out += "\\r";
        } else if (b == '\t') {
            out += "\\t";
        } else if (b < 0x20) {
            AppendEscape(out, b);
        } else {
            out += char(b);
        }
        bytes.remove_prefix(n);
    }
    out += '"';
}

void WriteTableJson(const StringTable& table, bool withWidths, std::FILE* file) {
    const int cols = table.ColCount(), rows = table.RowCount();
    std::string out = "{";
    // Written out in pieces: a large table's JSON need not be held whole.
    auto flush = [&out, file](std::size_t above) {
        if (out.size() < above) return;
        std::fwrite(out.data(), 1, out.size(), file);
        out.clear();
    };
    AppendKey(out, "cols", true);
    AppendInt(out, cols);
    AppendKey(out, "rows");
    AppendInt(out, rows);
    if (withWidths) {
        AppendKey(out, "widths");
        out += '[';
        for (int c = 0; c < cols; ++c) {
            if (c) out += ',';
            AppendInt(out, table.ColWidth(c));
        }
        out += ']';
    }
    AppendKey(out, "cells");
    out += '[';
    for (int r = 0; r < rows; ++r) {
        out += r ? ",[" : "[";
        for (int c = 0; c < cols; ++c) {
            if (c) out += ',';
            AppendJsonString(out, table.Cell(c, r));
        }
        out += ']';
        flush(1 << 16);
    }
    out += "]}\n";
    flush(0);
}

std::string SettingsJson(const Settings& s) {
    std::string out = "{";
    auto text = [&out](const char* key, std::string_view value) {
        AppendKey(out, key, out.back() == '{');
        AppendJsonString(out, value);
    };
    auto number = [&out](const char* key, long long value) {
        AppendKey(out, key, out.back() == '{');
        AppendInt(out, value);
    };
    auto flag = [&out](const char* key, bool value) {
        AppendKey(out, key);
        AppendBool(out, value);
    };
    text("reserved", s.reserved);
    text("next-invoice", s.nextInvoice);
    text("logo", s.logo);
    number("header-bytes", static_cast<long long>(s.header.size()));
    number("footer-bytes", static_cast<long long>(s.footer.size()));

    AppendKey(out, "font");
    out += '{';
    text("face", s.font.face);
    number("height", s.font.height);
    AppendKey(out, "charset");
    AppendNamed(out, s.font.charset, CharsetToName(s.font.charset));
    AppendKey(out, "color");
    AppendNamed(out, s.font.color, ColorToName(s.font.color));
    text("pitch", PitchName(s.font.pitch));
    AppendKey(out, "style");
    out += '[';
    for (const auto& name : StyleNames(s.font.style)) {
        if (out.back() != '[') out += ',';
        AppendJsonString(out, name);
    }
    out += "]}";

    flag("tax1-default", s.tax1Default);
    flag("tax2-default", s.tax2Default);
    text("tax1-rate", s.tax1Rate);
    text("tax2-rate", s.tax2Rate);
    text("tax1-name", s.tax1Name);
    text("tax2-name", s.tax2Name);
    number("print-copies", s.printCopies);
    flag("auto-barcode", s.autoBarcode);
    out += '}';
    return out;
}

}  // namespace brenvik::tool
