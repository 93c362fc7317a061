#include "ui/pcx.h"
#include "ui/pictureloader.h"

#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

using namespace ui;
using namespace std::string_literals;

namespace {

std::string Header(int width, int height, int planes, int bytesPerLine, int encoding = 1) {
    std::string h(128, '\0');
    h[0] = 10;
    h[1] = 5;
    h[2] = char(encoding);
    h[3] = 8;
    h[8] = char((width - 1) & 0xFF);
    h[9] = char(((width - 1) >> 8) & 0xFF);
    h[10] = char((height - 1) & 0xFF);
    h[11] = char(((height - 1) >> 8) & 0xFF);
    h[65] = char(planes);
    h[66] = char(bytesPerLine & 0xFF);
    h[67] = char((bytesPerLine >> 8) & 0xFF);
    return h;
}

std::string Palette(std::initializer_list<QRgb> colours) {
    std::string p(1, char(12));
    for (QRgb c : colours) p += {char(qRed(c)), char(qGreen(c)), char(qBlue(c))};
    p.resize(769, '\0');
    return p;
}

bool SameColours(const QImage& a, const QImage& b, int tolerance = 0) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) > tolerance ||
                std::abs(p.green() - q.green()) > tolerance ||
                std::abs(p.blue() - q.blue()) > tolerance)
                return false;
        }
    return true;
}

}  // namespace

TEST(Pcx, HandMadePalettedAndTrueColourFiles) {
    // 3 x 2, 8-bit paletted, lines padded to 4 bytes: a run of three 1s
    // (0xC3 0x01) and a literal byte 0xC5 that must be coded as a run of one.
    const std::string paletted = Header(3, 2, 1, 4) +
                                 "\xC3\x01\x00"
                                 "\x02\xC1\xC5\x00\x00"s +
                                 Palette({qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0)});
    // Colour 0xC5 is black (an unset palette entry).
    auto img = DecodePcx(paletted);
    ASSERT_TRUE(img);
    ASSERT_EQ(img->size(), QSize(3, 2));
    EXPECT_EQ(img->pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img->pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img->pixel(0, 1), qRgb(0, 255, 0));
    EXPECT_EQ(img->pixel(1, 1), qRgb(0, 0, 0));

    // A run that goes on past the end of the first line (2 x 2, paletted).
    const std::string across =
        Header(2, 2, 1, 2) + "\xC3\x01\x02"s + Palette({0, qRgb(9, 9, 9), qRgb(7, 7, 7)});
    img = DecodePcx(across);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixel(0, 1), qRgb(9, 9, 9));
    EXPECT_EQ(img->pixel(1, 1), qRgb(7, 7, 7));

    // 2 x 1, 24-bit: one line of three planes (red, green, blue), 2 bytes each,
    // the blue plane as a run.
    const std::string rgb = Header(2, 1, 3, 2) +
                            "\x0A\x14"
                            "\x1E\x28"
                            "\xC2\x32"s;
    img = DecodePcx(rgb);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixel(0, 0), qRgb(10, 30, 50));
    EXPECT_EQ(img->pixel(1, 0), qRgb(20, 40, 50));
}

TEST(Pcx, OurWriterReadsBack) {
    test::App();
    QImage src(37, 5, QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            src.setPixel(x, y, qRgb(x * 6, y * 50, x < 20 ? 200 : 7));
    for (bool paletted : {false, true}) {
        const auto img = DecodePcx(EncodePcx(src, paletted));
        ASSERT_TRUE(img) << paletted;
        EXPECT_TRUE(SameColours(*img, src)) << paletted;
    }
}

TEST(Pcx, HostileFilesGiveNothing) {
    const std::string good = EncodePcx(QImage(40, 40, QImage::Format_RGB32), false);
    const std::string cases[] = {
        "",
        good.substr(0, 127),
        good.substr(0, good.size() - 3),               // cut short inside the data
        Header(65535, 65535, 3, 65535) + "\xFF\x00"s,  // absurd size, tiny file
        Header(4, 4, 3, 2) + std::string(100, '\0'),   // lines shorter than the picture
        Header(2, 2, 1, 2) + "\x01\x01\x01\x01",       // paletted without its palette
        Header(2, 2, 4, 2) + std::string(64, '\0'),    // four planes
    };
    for (const auto& c : cases) EXPECT_FALSE(DecodePcx(c)) << c.size();
}

TEST(PictureLoader, ByExtension) {
    test::App();
    test::TempFolder dir;
    QImage src(16, 8, QImage::Format_RGB32);
    src.fill(qRgb(200, 30, 30));

    // JPEG through libjpeg, under both names.
    ASSERT_TRUE(src.save(QString::fromStdString(dir.File("logo.JPG")), "JPEG", 95));
    ASSERT_TRUE(src.save(QString::fromStdString(dir.File("logo.jpeg")), "JPEG", 95));
    for (const char* name : {"logo.JPG", "logo.jpeg"}) {
        const auto img = LoadPicture(QString::fromStdString(dir.File(name)));
        ASSERT_TRUE(img) << name;
        EXPECT_TRUE(SameColours(*img, src, 8)) << name;
    }
    // PCX by our decoder, BMP through the ordinary loader.
    dir.Write("logo.Pcx", EncodePcx(src, true));
    ASSERT_TRUE(src.save(QString::fromStdString(dir.File("logo.bmp")), "BMP"));
    for (const char* name : {"logo.Pcx", "logo.bmp"}) {
        const auto img = LoadPicture(QString::fromStdString(dir.File(name)));
        ASSERT_TRUE(img) << name;
        EXPECT_TRUE(SameColours(*img, src)) << name;
    }
    // A 1 x 1 GIF.
    dir.Write("dot.gif", std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                                     ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                                     35));
    const auto gif = LoadPicture(QString::fromStdString(dir.File("dot.gif")));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->size(), QSize(1, 1));
    EXPECT_EQ(QColor(gif->pixel(0, 0)).rgb(), qRgb(255, 0, 0));

    // Failures: a missing file, garbage, a JPEG named as a PCX, a cut JPEG
    // (decoded or refused, never a crash).
    dir.Write("junk.jpg", std::string(300, '\x55'));
    dir.Write("junk.gif", "GIF89a");
    dir.Write("junk.bmp", "BM");
    dir.Write("wrong.pcx", test::ReadBytes(dir.File("logo.JPG")));
    for (const char* name : {"missing.jpg", "junk.jpg", "junk.gif", "junk.bmp", "wrong.pcx"})
        EXPECT_FALSE(LoadPicture(QString::fromStdString(dir.File(name)))) << name;
    const std::string jpeg = test::ReadBytes(dir.File("logo.JPG"));
    for (std::size_t cut : {std::size_t(2), std::size_t(20), jpeg.size() / 2, jpeg.size() - 2})
        (void)DecodeJpeg(std::string_view(jpeg).substr(0, cut));
}
