#include "ui/pcx.h"

#include <QHash>

#include <cstdint>
#include <string>
#include <vector>

namespace ui {
namespace {

constexpr std::size_t HeaderSize = 128;
constexpr std::size_t PaletteSize = 769;  // marker byte 12 and 256 RGB triples

unsigned U16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

// Decodes run-length data line by line. Some writers let a run go on past
// the end of a line; what is left of it starts the next line.
class Unpacker {
public:
    Unpacker(std::string_view in, std::size_t pos, std::size_t end, bool rle)
        : in_(in), pos_(pos), end_(end), rle_(rle) {}

    // Fills `out`; false when the data ends first.
    bool Line(std::vector<unsigned char>& out) {
        std::size_t n = 0;
        while (n < out.size()) {
            if (left_ == 0) {
                if (pos_ >= end_) return false;
                value_ = static_cast<unsigned char>(in_[pos_++]);
                left_ = 1;
                if (rle_ && (value_ & 0xC0) == 0xC0) {
                    left_ = value_ & 0x3F;
                    if (pos_ >= end_) return false;
                    value_ = static_cast<unsigned char>(in_[pos_++]);
                }
            }
            for (; left_ > 0 && n < out.size(); --left_) out[n++] = value_;
        }
        return true;
    }

private:
    std::string_view in_;
    std::size_t pos_, end_;
    bool rle_;
    unsigned char value_ = 0;
    std::size_t left_ = 0;
};

}  // namespace

std::optional<QImage> DecodePcx(std::string_view b) {
    if (b.size() < HeaderSize) return std::nullopt;
    const auto manufacturer = static_cast<unsigned char>(b[0]);
    const auto encoding = static_cast<unsigned char>(b[2]);
    const auto bits = static_cast<unsigned char>(b[3]);
    const auto planes = static_cast<unsigned char>(b[65]);
    if (manufacturer != 10 || encoding > 1 || bits != 8 || (planes != 1 && planes != 3))
        return std::nullopt;
    const unsigned xmin = U16(b, 4), ymin = U16(b, 6), xmax = U16(b, 8), ymax = U16(b, 10);
    if (xmax < xmin || ymax < ymin) return std::nullopt;
    const qint64 width = qint64(xmax) - xmin + 1;
    const qint64 height = qint64(ymax) - ymin + 1;
    const qint64 bytesPerLine = U16(b, 66);
    if (bytesPerLine < width || width * height > MaxPicturePixels) return std::nullopt;

    std::size_t end = b.size();
    QList<QRgb> palette;
    if (planes == 1) {
        if (b.size() < HeaderSize + PaletteSize || b[b.size() - PaletteSize] != 12)
            return std::nullopt;
        end = b.size() - PaletteSize;
        for (std::size_t i = 0; i < 256; ++i) {
            const std::size_t at = end + 1 + 3 * i;
            palette.push_back(qRgb(static_cast<unsigned char>(b[at]),
                                   static_cast<unsigned char>(b[at + 1]),
                                   static_cast<unsigned char>(b[at + 2])));
        }
    }
    // Each pair of coded bytes gives at most 63 bytes: a file too short for
    // its claimed size is refused before anything large is allocated.
    const qint64 lineBytes = bytesPerLine * planes;
    const qint64 available = qint64(end - HeaderSize);
    if (lineBytes * height > (encoding ? available * 32 : available)) return std::nullopt;

    QImage image(int(width), int(height),
                 planes == 1 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (image.isNull()) return std::nullopt;
    if (planes == 1) image.setColorTable(palette);
    std::vector<unsigned char> line(static_cast<std::size_t>(lineBytes));
    Unpacker unpack(b, HeaderSize, end, encoding == 1);
    for (int y = 0; y < height; ++y) {
        if (!unpack.Line(line)) return std::nullopt;
        uchar* dst = image.scanLine(y);
        if (planes == 1) {
            std::copy_n(line.begin(), width, dst);
        } else {
            auto* px = reinterpret_cast<QRgb*>(dst);
            for (qint64 x = 0; x < width; ++x)
                px[x] = qRgb(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
        }
    }
    return image;
}

namespace {

void PutU16(std::string& s, std::size_t at, unsigned v) {
    s[at] = char(v & 0xFF);
    s[at + 1] = char((v >> 8) & 0xFF);
}

void Pack(const std::vector<unsigned char>& line, std::string& out) {
    for (std::size_t i = 0; i < line.size();) {
        std::size_t run = 1;
        while (i + run < line.size() && run < 63 && line[i + run] == line[i]) ++run;
        if (run > 1 || (line[i] & 0xC0) == 0xC0) out += char(0xC0 | run);
        out += char(line[i]);
        i += run;
    }
}

}  // namespace

std::string EncodePcx(const QImage& source, bool paletted) {
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    QHash<QRgb, int> index;
    if (paletted) {
        for (int y = 0; y < image.height() && colours.size() <= 256; ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (!index.contains(c)) {
                    index.insert(c, int(colours.size()));
                    colours.push_back(c);
                }
            }
        paletted = colours.size() <= 256;
    }
    const int planes = paletted ? 1 : 3;
    const unsigned bytesPerLine = unsigned(image.width() + (image.width() & 1));
    std::string out(HeaderSize, '\0');
    out[0] = 10;
    out[1] = 5;
    out[2] = 1;
    out[3] = 8;
    PutU16(out, 8, unsigned(image.width() - 1));
    PutU16(out, 10, unsigned(image.height() - 1));
    PutU16(out, 12, 72);
    PutU16(out, 14, 72);
    out[65] = char(planes);
    PutU16(out, 66, bytesPerLine);
    out[68] = 1;
    std::vector<unsigned char> line(bytesPerLine * planes);
    for (int y = 0; y < image.height(); ++y) {
        std::fill(line.begin(), line.end(), 0);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (paletted) {
                line[x] = static_cast<unsigned char>(index.value(c));
            } else {
                line[x] = static_cast<unsigned char>(qRed(c));
                line[bytesPerLine + x] = static_cast<unsigned char>(qGreen(c));
                line[2 * bytesPerLine + x] = static_cast<unsigned char>(qBlue(c));
            }
        }
        Pack(line, out);
    }
    if (paletted) {
        out += char(12);
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < colours.size() ? colours[i] : 0;
            out += char(qRed(c));
            out += char(qGreen(c));
            out += char(qBlue(c));
        }
    }
    return out;
}

}  // namespace ui
