// brenvik-data barcode end to end: the picture and the drawing it writes are
// the dialog's, zbar reads the picture, and it refuses what it cannot draw.
#include "tools/tool_fixture.h"

#include "store/labels/barcode.h"
#include "store/labels/screens/TBarCodeForm.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

namespace brenvik {
namespace {

using BarcodeCommand = BrenvikData;

TEST_F(BarcodeCommand, WritesTheDialogsPictureAndDrawing) {
    struct Case {
        std::vector<std::string> args;
        const char* symbology;
        const char* drawn;  // the value as drawn without the checksum option
    };
    const Case cases[] = {
        {{"--type", "bcCodeEAN13", "-o", "OUT", "400638133393"}, "bcCodeEAN13", "400638133393"},
        {{"-o", "OUT", "--checksum", "--type", "bcCode_2_5_interleaved", "1234567"},
         "bcCode_2_5_interleaved",
         "12345670"},
        // An unknown name draws Interleaved 2 of 5, as the dialog does.
        {{"--type", "bcNothing", "-o", "OUT", "--", "2468"}, "bcCode_2_5_interleaved", "2468"},
        {{"--type", "bcCode128B", "-o", "OUT", "Hi there"}, "bcCode128B", "Hi there"},
    };
    for (const Case& c : cases) {
        for (const std::string name : {"code.png", "code.SVG"}) {
            std::vector<std::string> args{"barcode"};
            for (const std::string& a : c.args) args.push_back(a == "OUT" ? Path(name) : a);
            const Result r = Run(args);
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err, "");
            const BarcodeResult expected = EncodeBarcode(c.symbology, c.drawn, false);
            if (name == "code.png") {
                const QImage image(QString::fromStdString(Path(name)));
                ASSERT_EQ(image.size(), QSize(kBarcodeWidth, kBarcodeHeight));
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb p = image.pixel(x, y);
                        ASSERT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255))
                            << "pure black and white";
                    }
                EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
                          BarcodePicture(expected).convertToFormat(QImage::Format_RGB32))
                    << c.drawn;
            } else {
                EXPECT_EQ(File(name), BarcodeSvg(expected)) << c.drawn;
            }
            std::filesystem::remove(Path(name));
        }
    }
}

TEST_F(BarcodeCommand, ZbarReadsItsPicture) {
    if (QStandardPaths::findExecutable("zbarimg").isEmpty())
        GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    ASSERT_EQ(
        Run({"barcode", "--type", "bcCode39", "--checksum", "-o", Path("c.png"), "CODE39"}).status,
        0);
    // A quiet zone around it and four times the size, as a label printer would.
    const QImage picture(QString::fromStdString(Path("c.png")));
    QImage padded(kBarcodeWidth + 40, kBarcodeHeight + 40, QImage::Format_RGB32);
    padded.fill(Qt::white);
    for (int y = 0; y < kBarcodeHeight; ++y)
        for (int x = 0; x < kBarcodeWidth; ++x)
            padded.setPixel(x + 20, y + 20, picture.pixel(x, y));
    ASSERT_TRUE(padded.scaled(padded.size() * 4).save(QString::fromStdString(Path("big.png"))));
    QProcess zbar;
    zbar.start("zbarimg", {"--quiet", QString::fromStdString(Path("big.png"))});
    ASSERT_TRUE(zbar.waitForFinished(30000));
    EXPECT_EQ(zbar.readAllStandardOutput().trimmed().toStdString(), "CODE-39:CODE39W");
}

TEST_F(BarcodeCommand, RefusesWithoutWritingAFile) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;  // on standard error, after "brenvik-data: barcode: "
    };
    const Case cases[] = {
        {{"--type", "bcCode_2_5_interleaved", "-o", "OUT", "12-34"}, 1, "Barcode must be numeric"},
        {{"--type", "bcCodeEAN13", "-o", "OUT", "4006381333932"},
         1,
         "The check digit of this EAN-13 barcode is wrong: it should be 1."},
        {{"--type", "bcCode128B", "-o", "OUT", std::string(30, 'x')},
         1,
         "The barcode is too long for the label picture: it needs 365 pixels and the picture is "
         "257 wide. Use a shorter value or a denser barcode type."},
        {{"--type", "bcCode39", "-o", "OUT", ""}, 1, "There is no barcode value to draw."},
        {{"--type", "bcCode_2_5_interleaved", "-o", "OUT", "-5"}, 1, "Barcode must be numeric"},
        {{"-o", "OUT", "123"}, 2, "usage: barcode --type NAME [--checksum] -o OUT VALUE"},
        {{"--type", "bcCode39", "ABC"}, 2, "usage: barcode --type NAME [--checksum] -o OUT VALUE"},
        {{"--type", "bcCode39", "-o", "OUT"},
         2,
         "usage: barcode --type NAME [--checksum] -o OUT VALUE"},
        {{"--type", "bcCode39", "-o", "OUT", "A", "B"},
         2,
         "one value only; usage: barcode --type NAME [--checksum] -o OUT VALUE"},
        {{"--type", "bcCode39", "--colour", "-o", "OUT", "A"},
         2,
         "unknown option --colour; usage: barcode --type NAME [--checksum] -o OUT VALUE"},
        {{"--type", "bcCode39", "-o"},
         2,
         "-o needs a value; usage: barcode --type NAME [--checksum] -o OUT VALUE"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"barcode"};
        for (const std::string& a : c.args) args.push_back(a == "OUT" ? Path("out.png") : a);
        const Result r = Run(args);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_EQ(r.err, std::string("brenvik-data: barcode: ") + c.message + "\n");
        EXPECT_FALSE(std::filesystem::exists(Path("out.png"))) << c.message;
    }
    // Another extension, and a refused value leaves an existing file alone.
    const Result jpeg = Run({"barcode", "--type", "bcCode39", "-o", Path("out.jpg"), "A"});
    EXPECT_EQ(jpeg.status, 2);
    EXPECT_FALSE(std::filesystem::exists(Path("out.jpg")));
    Put("keep.svg", "old");
    EXPECT_EQ(Run({"barcode", "--type", "bcCodeEAN8", "-o", Path("keep.svg"), "12"}).status, 1);
    EXPECT_EQ(File("keep.svg"), "old");
}

}  // namespace
}  // namespace brenvik
