#pragma once
// PCX pictures: the 8-bit paletted form (palette at the end of the file) and
// the 24-bit form (three colour planes per line), run-length coded or plain.
#include <QImage>

#include <optional>
#include <string_view>

namespace ui {

// The most pixels a logo picture may have, whatever its file says (128 MB as
// ARGB); larger claims are not read.
inline constexpr qint64 MaxPicturePixels = 32 * 1024 * 1024;

// The picture, or nothing when the bytes are not a PCX picture of those forms,
// are cut short, or claim a size the file could not hold. What is allocated is
// bounded by the file's own size.
std::optional<QImage> DecodePcx(std::string_view bytes);

// A picture as an 8-bit paletted (when it has 256 colours or fewer and
// `paletted` is asked for) or 24-bit run-length PCX file; for tests and tools.
std::string EncodePcx(const QImage& image, bool paletted);

}  // namespace ui
