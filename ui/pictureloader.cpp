#include "ui/pictureloader.h"

#include "ui/pcx.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace ui {
namespace {

// Logos are small; a larger file is not read at all.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

std::optional<QByteArray> ReadWhole(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxFileBytes) return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

std::optional<QImage> DecodeWithQt(const QByteArray& bytes, const char* format) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPicturePixels)
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
    return image;
}

QString Extension(const QString& path) { return QFileInfo(path).suffix().toLower(); }

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void JpegFail(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    std::longjmp(err->jump, 1);
}
void JpegQuiet(j_common_ptr, int) {}

}  // namespace

std::optional<QImage> DecodeJpeg(std::string_view bytes) {
    if (bytes.empty()) return std::nullopt;
    jpeg_decompress_struct info{};
    JpegError err{};
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegFail;
    err.mgr.emit_message = JpegQuiet;
    // Everything the decoder needs across the jump lives outside it.
    QImage image;
    std::vector<JSAMPLE> row;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 ||
        qint64(info.image_width) * info.image_height > MaxPicturePixels) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    row.resize(std::size_t(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const int y = int(info.output_scanline);
        jpeg_read_scanlines(&info, rows, 1);
        auto* px = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (JDIMENSION x = 0; x < info.output_width; ++x) {
            const JSAMPLE* s = row.data() + std::size_t(x) * info.output_components;
            if (cmyk) {
                // Adobe writes CMYK inverted: each byte is 255 - ink.
                px[x] = qRgb(s[0] * s[3] / 255, s[1] * s[3] / 255, s[2] * s[3] / 255);
            } else {
                px[x] = qRgb(s[0], s[1], s[2]);
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

std::optional<QImage> LoadOutsidePicture(const QString& path) {
    const QString ext = Extension(path);
    const auto bytes = ReadWhole(path);
    if (!bytes) return std::nullopt;
    const std::string_view view(bytes->constData(), std::size_t(bytes->size()));
    if (ext == "pcx") return DecodePcx(view);
    if (ext == "jpg") return DecodeJpeg(view);
    if (ext == "gif") return DecodeWithQt(*bytes, "gif");
    return std::nullopt;
}

std::optional<QImage> LoadOrdinaryPicture(const QString& path) {
    const QString ext = Extension(path);
    const auto bytes = ReadWhole(path);
    if (!bytes) return std::nullopt;
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif")
        return DecodeJpeg(std::string_view(bytes->constData(), std::size_t(bytes->size())));
    return DecodeWithQt(*bytes, nullptr);
}

std::optional<QImage> LoadPicture(const QString& path) {
    const QString ext = Extension(path);
    if (ext == "gif" || ext == "pcx" || ext == "jpg") return LoadOutsidePicture(path);
    return LoadOrdinaryPicture(path);
}

}  // namespace ui
