#pragma once
// A font as the store keeps it in its settings: the fields of the invoice
// font's stored record. Turning it into a GUI font belongs to the ui layer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

enum FontStyleBits : std::uint8_t {
    FontBold = 1,
    FontItalic = 2,
    FontUnderline = 4,
    FontStrikeOut = 8,
};

enum class FontPitch { Default, Variable, Fixed };

struct FontRecord {
    std::string face = "MS Sans Serif";
    std::int32_t height = -11;                       // character height in pixels, negative
    std::int32_t charset = 1;                        // DEFAULT_CHARSET
    std::int32_t color = std::int32_t(0x80000008u);  // clWindowText (system colour 8)
    FontPitch pitch = FontPitch::Default;
    std::uint8_t style = 0;  // FontStyleBits

    bool operator==(const FontRecord&) const = default;
};

// A symbolic value of the stored font, as the stored record names it.
struct NamedValue {
    const char* name;
    std::int32_t value;
};

// The 18 character sets and the 42 colours with names.
const std::vector<NamedValue>& CharsetNames();
const std::vector<NamedValue>& ColorNames();

// Name of a value, or nullopt when the value has none.
std::optional<std::string_view> CharsetToName(std::int32_t value);
std::optional<std::string_view> ColorToName(std::int32_t value);
// Value of a name (exact spelling, case ignored), or nullopt.
std::optional<std::int32_t> NameToCharset(std::string_view name);
std::optional<std::int32_t> NameToColor(std::string_view name);

// "fpDefault", "fpVariable", "fpFixed".
std::string_view PitchName(FontPitch pitch);
std::optional<FontPitch> NameToPitch(std::string_view name);

// Style bits as the names "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut",
// in that order; NameToStyleBit gives 0 for an unknown name.
std::vector<std::string> StyleNames(std::uint8_t style);
std::uint8_t NameToStyleBit(std::string_view name);

}  // namespace brenvik
