#pragma once
// Reading picture files for logos and the picture boxes of the pages.
#include <QImage>
#include <QString>

#include <optional>
#include <string_view>

namespace ui {

// Our own loader for ".gif", ".pcx" and ".jpg" files (GIF through Qt, PCX by
// our decoder, JPEG through libjpeg): the picture, or nothing.
std::optional<QImage> LoadOutsidePicture(const QString& path);

// The ordinary loader for every other picture file: bitmaps, icons and the
// other formats Qt reads; JPEG through libjpeg.
std::optional<QImage> LoadOrdinaryPicture(const QString& path);

// Chooses by the file's extension, ignoring case, as the invoice logo does.
std::optional<QImage> LoadPicture(const QString& path);

// JPEG bytes through libjpeg; nothing when they cannot be decoded or claim
// an absurd size.
std::optional<QImage> DecodeJpeg(std::string_view bytes);

}  // namespace ui
