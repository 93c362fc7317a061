#include "ui/fontconv.h"

#include "ui/text.h"

#include <array>
#include <cmath>

namespace ui {

namespace {

// The standard scheme's system colours, by index, as 0xRRGGBB.
constexpr std::array<std::uint32_t, 31> kSystem = {
    0xC8C8C8,  //  0 scroll bar
    0x000000,  //  1 desktop
    0x99B4D1,  //  2 active caption
    0xBFCDDB,  //  3 inactive caption
    0xF0F0F0,  //  4 menu
    0xFFFFFF,  //  5 window
    0x646464,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0x000000,  //  9 caption text
    0xB4B4B4,  // 10 active border
    0xF4F7FC,  // 11 inactive border
    0xABABAB,  // 12 application workspace
    0x0078D7,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0xA0A0A0,  // 16 button shadow
    0x6D6D6D,  // 17 grey text
    0x000000,  // 18 button text
    0x000000,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x696969,  // 21 3-D dark shadow
    0xE3E3E3,  // 22 3-D light
    0x000000,  // 23 tooltip text
    0xFFFFE1,  // 24 tooltip background
    0x000000,  // 25 (unused)
    0x0066CC,  // 26 hot-tracked item
    0xB9D1EA,  // 27 active caption gradient
    0xD7E4F2,  // 28 inactive caption gradient
    0x0078D7,  // 29 menu highlight
    0xF0F0F0,  // 30 menu bar
};

}  // namespace

QColor ToQColor(std::int32_t value) {
    const auto v = std::uint32_t(value);
    if (v & 0x80000000u) {
        const std::uint32_t index = v & 0xFFu;
        if ((v & 0x7FFFFF00u) || index >= kSystem.size()) return {};
        return QColor::fromRgb(QRgb(kSystem[index]));
    }
    if (v & 0xFF000000u) return {};  // none, default, palette-relative
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

std::int32_t FromQColor(const QColor& color) {
    if (!color.isValid()) return kColorNone;
    const QRgb rgb = color.rgb();
    return std::int32_t(std::uint32_t(qRed(rgb)) | std::uint32_t(qGreen(rgb)) << 8 |
                        std::uint32_t(qBlue(rgb)) << 16);
}

double HeightToPoints(std::int32_t height) { return std::abs(double(height)) * 72.0 / 96.0; }

std::int32_t PointsToHeight(double points) {
    return -std::int32_t(std::lround(points * 96.0 / 72.0));
}

QFont ToQFont(const brenvik::FontRecord& record) {
    QFont font(ToQ(record.face));
    if (record.height != 0) font.setPointSizeF(HeightToPoints(record.height));
    font.setBold(record.style & brenvik::FontBold);
    font.setItalic(record.style & brenvik::FontItalic);
    font.setUnderline(record.style & brenvik::FontUnderline);
    font.setStrikeOut(record.style & brenvik::FontStrikeOut);
    if (record.pitch == brenvik::FontPitch::Fixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    return font;
}

brenvik::FontRecord FromQFont(const QFont& font, const QColor& color,
                              const brenvik::FontRecord& base) {
    brenvik::FontRecord r = base;
    r.face = FromQ(font.family());
    if (font.pointSizeF() > 0) r.height = PointsToHeight(font.pointSizeF());
    else if (font.pixelSize() > 0) r.height = -font.pixelSize();
    r.color = FromQColor(color);
    r.style = 0;
    if (font.bold()) r.style |= brenvik::FontBold;
    if (font.italic()) r.style |= brenvik::FontItalic;
    if (font.underline()) r.style |= brenvik::FontUnderline;
    if (font.strikeOut()) r.style |= brenvik::FontStrikeOut;
    if (font.fixedPitch()) r.pitch = brenvik::FontPitch::Fixed;
    else if (r.pitch == brenvik::FontPitch::Fixed) r.pitch = brenvik::FontPitch::Default;
    return r;
}

}  // namespace ui
