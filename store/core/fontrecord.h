#pragma once
// A font as the store keeps it in its settings: the fields of the invoice
// font's stored record. Turning it into a GUI font belongs to the ui layer.
#include <cstdint>
#include <string>

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
    std::int32_t height = -11;            // character height in pixels, negative
    std::int32_t charset = 1;             // DEFAULT_CHARSET
    std::int32_t color = std::int32_t(0x80000008u);  // clWindowText (system colour 8)
    FontPitch pitch = FontPitch::Default;
    std::uint8_t style = 0;               // FontStyleBits

    bool operator==(const FontRecord&) const = default;
};

}  // namespace brenvik
