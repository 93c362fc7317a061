// Every symbology that zbar reads is drawn, padded with a quiet zone,
// scaled up and read back by zbarimg: someone else's decoder must find the
// value (with the check characters the decoder passes on). zbar reads no
// UPC-E of number system 1; that one is checked against the tables.
#include "store/labels/barcode.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace brenvik {
namespace {

// The picture with a 20-pixel quiet zone all round, scaled 4 times.
QImage ScanCopy(const BarcodeResult& result) {
    const std::vector<bool> pixels = RasterizeBarcode(result);
    constexpr int kPad = 20, kScale = 4;
    QImage image((kBarcodeWidth + 2 * kPad) * kScale, (kBarcodeHeight + 2 * kPad) * kScale,
                 QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < kBarcodeHeight; ++y)
        for (int x = 0; x < kBarcodeWidth; ++x)
            if (pixels[y * kBarcodeWidth + x])
                for (int dy = 0; dy < kScale; ++dy)
                    for (int dx = 0; dx < kScale; ++dx)
                        image.setPixel((x + kPad) * kScale + dx, (y + kPad) * kScale + dy, 0);
    return image;
}

// What zbarimg reads from the picture, as "type:data" lines.
std::string Scan(const BarcodeResult& result, const QStringList& options) {
    QTemporaryDir dir;
    const QString file = dir.filePath("code.png");
    EXPECT_TRUE(ScanCopy(result).save(file));
    QProcess zbar;
    zbar.start("zbarimg", QStringList{"--quiet"} + options + QStringList{file});
    EXPECT_TRUE(zbar.waitForFinished(30000));
    return zbar.readAllStandardOutput().trimmed().toStdString();
}

struct ScanCase {
    const char* symbology;
    const char* value;
    bool checksum;
    const char* expected;  // zbarimg's "TYPE:data"
};

class BarcodeScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(BarcodeScan, ZbarReadsTheValueBack) {
    if (QStandardPaths::findExecutable("zbarimg").isEmpty())
        GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    const ScanCase& c = GetParam();
    const BarcodeResult result = EncodeBarcode(c.symbology, c.value, c.checksum);
    ASSERT_TRUE(result.Ok()) << result.error;
    EXPECT_EQ(Scan(result, {"-Supca.enable", "-Supce.enable", "-Sean2.enable", "-Sean5.enable",
                            "-Scodabar.enable", "-Sisbn10.disable", "-Sisbn13.disable"}),
              c.expected)
        << c.symbology << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Symbologies, BarcodeScan,
    ::testing::Values(ScanCase{"bcCode_2_5_interleaved", "1234567890", false, "I2/5:1234567890"},
                      // An odd count gets a leading 0: the fifth digit is in the bars.
                      ScanCase{"bcCode_2_5_interleaved", "12345", false, "I2/5:012345"},
                      ScanCase{"bcCode_2_5_interleaved", "1234567", true, "I2/5:12345670"},
                      ScanCase{"bcCode_2_5_interleaved", "123456", true, "I2/5:01234565"},
                      ScanCase{"unknown name", "987654", false, "I2/5:987654"},
                      ScanCase{"bcCode39", "CODE-39 $/+%.", false, "CODE-39:CODE-39 $/+%."},
                      ScanCase{"bcCode39", "CODE39", true, "CODE-39:CODE39W"},
                      ScanCase{"bcCode39Extended", "Ab1!", false, "CODE-39:A+B1/A"},
                      ScanCase{"bcCode128A", "HELLO-128", false, "CODE-128:HELLO-128"},
                      ScanCase{"bcCode128B", "Hello, World!", false, "CODE-128:Hello, World!"},
                      ScanCase{"bcCode128C", "0123456789", false, "CODE-128:0123456789"},
                      ScanCase{"bcCodeEAN128C", "0112345678901231", false,
                               "CODE-128:0112345678901231"},
                      ScanCase{"bcCodeEAN128B", "10ab12", false, "CODE-128:10ab12"},
                      ScanCase{"bcCodeEAN128A", "10AB12", false, "CODE-128:10AB12"},
                      ScanCase{"bcCode93", "CODE 93-$/+%.", false, "CODE-93:CODE 93-$/+%."},
                      ScanCase{"bcCode93Extended", "Code93!", false, "CODE-93:Code93!"},
                      ScanCase{"bcCodeCodabar", "40156", false, "Codabar:A40156A"},
                      ScanCase{"bcCodeCodabar", "B12-34$:/.+D", false, "Codabar:B12-34$:/.+D"},
                      ScanCase{"bcCodeEAN8", "9638507", false, "EAN-8:96385074"},
                      ScanCase{"bcCodeEAN8", "96385074", false, "EAN-8:96385074"},
                      ScanCase{"bcCodeEAN13", "400638133393", false, "EAN-13:4006381333931"},
                      ScanCase{"bcCodeEAN13", "5901234123457", false, "EAN-13:5901234123457"},
                      ScanCase{"bcCodeUPC_A", "03600029145", false, "UPC-A:036000291452"},
                      ScanCase{"bcCodeUPC_E0", "425261", false, "UPC-E:04252614"},
                      ScanCase{"bcCodeUPC_E0", "4252614", false, "UPC-E:04252614"},
                      ScanCase{"bcCodeUPC_Supp2", "12", false, "EAN-2:12"},
                      ScanCase{"bcCodeUPC_Supp5", "52495", false, "EAN-5:52495"}));

}  // namespace
}  // namespace brenvik
