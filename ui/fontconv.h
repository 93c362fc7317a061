#pragma once
// Fonts and colours as the store keeps them, turned into Qt's and back.
//
// A stored colour is 0x00BBGGRR, or 0x80000000 plus a system colour index
// (0x80000008 is the window text colour); "none" and "default" name no
// colour. A stored font height is in pixels at 96 dots per inch, negative for
// the height of the characters themselves; Qt fonts here carry point sizes,
// so that they print at the same size on any device.
#include "store/core/fontrecord.h"

#include <QColor>
#include <QFont>

#include <cstdint>

namespace ui {

constexpr std::int32_t kColorNone = 0x1FFFFFFF;
constexpr std::int32_t kColorDefault = 0x20000000;
constexpr std::int32_t kSystemColor = std::int32_t(0x80000000u);

// System colours become the desktop's standard scheme (window text black,
// window white, ...), so that what is printed does not follow a dark screen
// theme. "None", "default" and unknown system colours give an invalid QColor.
QColor ToQColor(std::int32_t value);
// An invalid colour gives "none"; alpha is dropped.
std::int32_t FromQColor(const QColor& color);

QFont ToQFont(const brenvik::FontRecord& record);
// The record for `font` drawn in `color`. The character set, and the pitch
// unless the font asks for a fixed one, are kept from `base`.
brenvik::FontRecord FromQFont(const QFont& font, const QColor& color,
                              const brenvik::FontRecord& base = {});

// Height in pixels at 96 dpi (negative) <-> points.
double HeightToPoints(std::int32_t height);
std::int32_t PointsToHeight(double points);

}  // namespace ui
