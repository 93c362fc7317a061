#include "store/core/fontrecord.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace brenvik {

namespace {

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(std::uint8_t(x)) == std::tolower(std::uint8_t(y));
           });
}

std::optional<std::string_view> ValueToName(const std::vector<NamedValue>& table,
                                            std::int32_t value) {
    for (const auto& entry : table)
        if (entry.value == value) return std::string_view(entry.name);
    return std::nullopt;
}

std::optional<std::int32_t> NameToValue(const std::vector<NamedValue>& table,
                                        std::string_view name) {
    for (const auto& entry : table)
        if (SameText(entry.name, name)) return entry.value;
    return std::nullopt;
}

std::vector<NamedValue> BuildColorNames() {
    std::vector<NamedValue> table = {
        {"clBlack", 0x000000}, {"clMaroon", 0x000080},  {"clGreen", 0x008000},
        {"clOlive", 0x008080}, {"clNavy", 0x800000},    {"clPurple", 0x800080},
        {"clTeal", 0x808000},  {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},   {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},
    };
    // System colours: a flag bit over the platform's colour index.
    static const char* const system[] = {
        "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
        "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
        "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
        "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
        "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
        "clInfoBk",
    };
    for (std::uint32_t i = 0; i < std::size(system); ++i)
        table.push_back({system[i], std::int32_t(0x80000000u | i)});
    table.push_back({"clNone", 0x1FFFFFFF});
    return table;
}

constexpr std::array<const char*, 4> kStyleNames = {"fsBold", "fsItalic", "fsUnderline",
                                                    "fsStrikeOut"};
constexpr std::array<const char*, 3> kPitchNames = {"fpDefault", "fpVariable", "fpFixed"};

}  // namespace

const std::vector<NamedValue>& CharsetNames() {
    static const std::vector<NamedValue> table = {
        {"ANSI_CHARSET", 0},     {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},     {"SHIFTJIS_CHARSET", 128},   {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},  {"GB2312_CHARSET", 134},     {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},  {"TURKISH_CHARSET", 162},    {"HEBREW_CHARSET", 177},
        {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186},     {"RUSSIAN_CHARSET", 204},
        {"THAI_CHARSET", 222},   {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
    };
    return table;
}

const std::vector<NamedValue>& ColorNames() {
    static const std::vector<NamedValue> table = BuildColorNames();
    return table;
}

std::optional<std::string_view> CharsetToName(std::int32_t value) {
    return ValueToName(CharsetNames(), value);
}
std::optional<std::string_view> ColorToName(std::int32_t value) {
    return ValueToName(ColorNames(), value);
}
std::optional<std::int32_t> NameToCharset(std::string_view name) {
    return NameToValue(CharsetNames(), name);
}
std::optional<std::int32_t> NameToColor(std::string_view name) {
    return NameToValue(ColorNames(), name);
}

std::string_view PitchName(FontPitch pitch) { return kPitchNames[std::size_t(pitch)]; }

std::optional<FontPitch> NameToPitch(std::string_view name) {
    for (std::size_t i = 0; i < kPitchNames.size(); ++i)
        if (SameText(kPitchNames[i], name)) return FontPitch(i);
    return std::nullopt;
}

std::vector<std::string> StyleNames(std::uint8_t style) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kStyleNames.size(); ++i)
        if (style & (1u << i)) names.emplace_back(kStyleNames[i]);
    return names;
}

std::uint8_t NameToStyleBit(std::string_view name) {
    for (std::size_t i = 0; i < kStyleNames.size(); ++i)
        if (SameText(kStyleNames[i], name)) return std::uint8_t(1u << i);
    return 0;
}

}  // namespace brenvik
