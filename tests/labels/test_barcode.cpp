// The encoders against the standards' own tables and check-digit examples,
// for what zbar cannot read back (see test_barcode_scan.cpp), and their
// refusals.
#include "store/labels/barcode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace brenvik {
namespace {

std::string WidthCode(double w) {
    if (std::abs(w - 2.25) < 1e-9) return "w";
    if (std::abs(w - std::round(w)) < 1e-9) return std::to_string(static_cast<int>(std::round(w)));
    return "?";
}

// Bar, space, bar, ... widths: "1" and "2" for 1 and 2 pixels, "w" for 2.25.
std::string Elements(const BarcodeResult& result) {
    std::string text;
    double end = 0;
    for (const BarcodeBar& bar : result.bars) {
        if (!text.empty()) text += WidthCode(bar.x - end);
        text += WidthCode(bar.width);
        end = bar.x + bar.width;
    }
    return text;
}

// The bottom pixel row up to the last bar, '1' black: one module a pixel.
std::string Modules(const BarcodeResult& result) {
    const std::vector<bool> pixels = RasterizeBarcode(result);
    std::string row;
    for (int x = 0; x < kBarcodeWidth; ++x)
        row += pixels[(kBarcodeHeight - 1) * kBarcodeWidth + x] ? '1' : '0';
    return row.substr(0, row.find_last_of('1') + 1);
}

std::string Join(std::initializer_list<const char*> pieces) {
    std::string text;
    for (const char* p : pieces) text += p;
    return text;
}

struct PatternCase {
    const char* symbology;
    const char* value;
    std::string elements;
};

class BarcodePattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(BarcodePattern, MatchesTheStandardsTables) {
    const PatternCase& c = GetParam();
    const BarcodeResult result = EncodeBarcode(c.symbology, c.value, false);
    ASSERT_TRUE(result.Ok()) << result.error;
    EXPECT_EQ(Elements(result), c.elements);
    EXPECT_EQ(result.bars.front().x, 0) << "bars start at the left edge";
}

INSTANTIATE_TEST_SUITE_P(
    Tables, BarcodePattern,
    ::testing::Values(
        // Start (wide, wide, narrow bar), 1 = WNNNW in the bars only, stop
        // (wide, narrow, wide); every space narrow.
        PatternCase{"bcCode_2_5_industrial", "1", Join({"212111", "2111111121", "21112"})},
        PatternCase{"bcCode_2_5_industrial", "07",
                    Join({"212111", "1111212111", "1111112121", "21112"})},
        // Start and stop WNNNN, 0 = NNWWN, 5 = WNWNN, a narrow gap between
        // characters, wide elements 2.25.
        PatternCase{"bcCode_2_5_matrix", "05",
                    Join({"w1111", "1", "11ww1", "1", "w1w11", "1", "w1111"})},
        // Start 1010, the pair 3-8 interleaved: bars WWNNN with spaces WNNWN;
        // stop WNN.
        PatternCase{"bcCode_2_5_interleaved", "38", Join({"1111", "2221111211", "211"})},
        // MSI: start, 9 = 1001 (a 1 bit a wide bar, a 0 bit a wide space),
        // stop.
        PatternCase{"bcCodeMSI", "9", Join({"21", "21", "12", "12", "21", "121"})},
        PatternCase{"bcCodeMSI", "05", Join({"21", "12121212", "12211221", "121"})},
        // Codabar A…A framing of 1 (0000110) with narrow gaps.
        PatternCase{"bcCodeCodabar", "1", Join({"1122121", "1", "1111221", "1", "1122121"})}));

TEST(Barcode, UpcENumberSystemOneMirrorsTheParity) {
    // 123456 in number system 1 expands to 1-12345-00006, check digit 2;
    // number system 0's parity for 2 is GGLLGL, so system 1 uses LLGGLG.
    EXPECT_EQ(
        Modules(EncodeBarcode("bcCodeUPC_E1", "123456", false)),
        Join({"101", "0011001", "0010011", "0100001", "0011101", "0110001", "0000101", "010101"}));
    EXPECT_EQ(Modules(EncodeBarcode("bcCodeUPC_E1", "1234562", false)),
              Modules(EncodeBarcode("bcCodeUPC_E1", "123456", false)));
    EXPECT_FALSE(EncodeBarcode("bcCodeUPC_E1", "1234564", false).Ok());
}

TEST(Barcode, PostnetTallAndShortBarsOnTheBottomEdge) {
    // 55555 has the check digit 5 (25 + 5 = 30); 5 is short, tall, short,
    // tall, short; tall frame bars at both ends.
    const BarcodeResult result = EncodeBarcode("bcCodePostNet", "55555", false);
    ASSERT_TRUE(result.Ok()) << result.error;
    std::string heights;
    for (std::size_t i = 0; i < result.bars.size(); ++i) {
        const BarcodeBar& bar = result.bars[i];
        EXPECT_EQ(bar.x, 2.0 * i);
        EXPECT_EQ(bar.width, 1);
        EXPECT_DOUBLE_EQ(bar.y + bar.height, kBarcodeHeight) << "bottom-aligned";
        heights += bar.height == kBarcodeHeight ? 'T' : 's';
    }
    std::string expected = "T";
    for (int d = 0; d < 6; ++d) expected += "sTsTs";
    expected += "T";
    EXPECT_EQ(heights, expected);

    // ZIP+4 123456789: digits sum to 45, check digit 5 = sTsTs at the end.
    const BarcodeResult zip4 = EncodeBarcode("bcCodePostNet", "123456789", false);
    ASSERT_EQ(zip4.bars.size(), 2u + 5u * 10u);
    std::string last;
    for (std::size_t i = zip4.bars.size() - 6; i + 1 < zip4.bars.size(); ++i)
        last += zip4.bars[i].height == kBarcodeHeight ? 'T' : 's';
    EXPECT_EQ(last, "sTsTs");

    const std::vector<bool> pixels = RasterizeBarcode(result);
    EXPECT_FALSE(pixels[1 * kBarcodeWidth + 2]) << "a short bar leaves the top white";
    EXPECT_TRUE(pixels[48 * kBarcodeWidth + 2]);
    EXPECT_TRUE(pixels[0 * kBarcodeWidth + 0]) << "a frame bar is full height";
}

// "Checksum" adds each standard's optional check character: the value with
// it equals the value with the standard's example check character typed in.
TEST(Barcode, OptionalCheckCharactersOfTheStandardsExamples) {
    struct Case {
        const char* symbology;
        const char* value;
        const char* withCheck;
    };
    const Case cases[] = {
        {"bcCode_2_5_interleaved", "1234567", "12345670"},
        {"bcCode_2_5_industrial", "1234567", "12345670"},
        {"bcCode_2_5_matrix", "8765432", "87654325"},
        {"bcCodeMSI", "1234567", "12345674"},  // Luhn-style modulo 10
        {"bcCode39", "CODE39", "CODE39W"},     // modulo 43
        {"bcCode39", "ABC-1234", "ABC-1234-"},
        {"bcCodeCodabar", "A37859B", "A37859+B"},  // modulo 16 over start and stop
    };
    for (const Case& c : cases) {
        const BarcodeResult with = EncodeBarcode(c.symbology, c.value, true);
        ASSERT_TRUE(with.Ok()) << c.symbology << " " << with.error;
        EXPECT_EQ(Elements(with), Elements(EncodeBarcode(c.symbology, c.withCheck, false)))
            << c.symbology << " " << c.value;
        EXPECT_NE(Elements(with), Elements(EncodeBarcode(c.symbology, c.value, false)))
            << c.symbology << " draws no check character without Checksum";
    }
    // Symbologies whose check characters are mandatory draw the same either way.
    const std::pair<const char*, const char*> mandatory[] = {{"bcCodeEAN13", "400638133393"},
                                                             {"bcCodeUPC_E0", "425261"},
                                                             {"bcCode128B", "Hello"},
                                                             {"bcCode93", "CODE93"},
                                                             {"bcCodePostNet", "55555"}};
    for (const auto& [symbology, value] : mandatory) {
        const BarcodeResult with = EncodeBarcode(symbology, value, true);
        ASSERT_TRUE(with.Ok()) << symbology;
        EXPECT_EQ(Elements(with), Elements(EncodeBarcode(symbology, value, false))) << symbology;
    }
}

TEST(Barcode, RefusesWhatTheSymbologyCannotTake) {
    struct Case {
        const char* symbology;
        std::string value;
        const char* message;
    };
    const Case cases[] = {
        {"bcCode_2_5_interleaved", "12-34", "Barcode must be numeric"},
        {"no such type", "12-34", "Barcode must be numeric"},
        {"bcCodeUPC_Supp5", "1234x", "Barcode must be numeric"},
        {"bcCode128C", "12 34", "Barcode must be numeric"},
        {"bcCodeEAN13", "12345", "An EAN-13 barcode takes 12 digits, or 13 with its check digit."},
        {"bcCodeEAN8", "123456789", "An EAN-8 barcode takes 7 digits, or 8 with its check digit."},
        {"bcCodeUPC_A", "1234567890",
         "A UPC-A barcode takes 11 digits, or 12 with its check digit."},
        {"bcCodeUPC_E0", "12345", "A UPC-E barcode takes 6 digits, or 7 with its check digit."},
        {"bcCodeUPC_Supp2", "123", "A 2-digit add-on barcode takes exactly 2 digits."},
        {"bcCodeEAN13", "4006381333932",
         "The check digit of this EAN-13 barcode is wrong: it should be 1."},
        {"bcCodeUPC_A", "036000291453",
         "The check digit of this UPC-A barcode is wrong: it should be 2."},
        {"bcCode39", "abc", "Code 39 cannot encode the character \"a\"."},
        {"bcCode39Extended", "caf\xe9",
         "Code 39 full ASCII cannot encode the character character code 233."},
        {"bcCode93", "x", "Code 93 cannot encode the character \"x\"."},
        {"bcCode128A", "Ab", "Code 128 set A cannot encode the character \"b\"."},
        {"bcCode128B", "tab\there", "Code 128 set B cannot encode the character character code 9."},
        {"bcCodeEAN128B", "\x7f", ""},
        {"bcCode128C", "123",
         "Code 128 set C encodes digits in pairs: the value needs an even number of digits."},
        {"bcCodeEAN128C", "12345",
         "GS1-128 set C encodes digits in pairs: the value needs an even number of digits."},
        {"bcCodePostNet", "1234", "A POSTNET barcode takes 5, 9 or 11 digits."},
        {"bcCodeCodabar", "A123",
         "A Codabar value needs both a start and a stop character (A, B, C or D), or neither."},
        {"bcCodeCodabar", "12A3", "Codabar cannot encode the character \"A\" here."},
        {"bcCodeMSI", "", "There is no barcode value to draw."},
    };
    for (const Case& c : cases) {
        const BarcodeResult result = EncodeBarcode(c.symbology, c.value, false);
        if (*c.message == '\0') {
            EXPECT_TRUE(result.Ok()) << c.symbology << " " << result.error;
            continue;
        }
        EXPECT_EQ(result.error, c.message) << c.symbology << " " << c.value;
        EXPECT_TRUE(result.bars.empty());
    }
}

TEST(Barcode, ValuesTooLongForThePictureAreRefusedNotClipped) {
    // Code 128: 11 pixels a character, start, check and a 13-pixel stop.
    const BarcodeResult fits = EncodeBarcode("bcCode128B", std::string(20, 'A'), false);
    ASSERT_TRUE(fits.Ok()) << fits.error;
    EXPECT_EQ(fits.bars.back().x + fits.bars.back().width, 255);
    const BarcodeResult tooLong = EncodeBarcode("bcCode128B", std::string(21, 'A'), false);
    EXPECT_EQ(tooLong.error,
              "The barcode is too long for the label picture: it needs 266 pixels and the picture "
              "is 257 wide. Use a shorter value or a denser barcode type.");
    EXPECT_TRUE(tooLong.bars.empty());
    // Interleaved 2 of 5: 14 pixels a pair; 35 digits become 36 with the
    // leading 0 and no longer fit.
    EXPECT_TRUE(EncodeBarcode("bcCode_2_5_interleaved", std::string(34, '1'), false).Ok());
    EXPECT_NE(EncodeBarcode("bcCode_2_5_interleaved", std::string(35, '1'), false)
                  .error.find("too long for the label picture"),
              std::string::npos);
}

TEST(Barcode, NamesSpacesAndTheDefault) {
    EXPECT_EQ(BarcodeSymbologies().size(), 23u);
    EXPECT_EQ(BarcodeSymbologies().front(), "bcCode_2_5_interleaved");
    // An unknown name draws Interleaved 2 of 5; digits-only types ignore
    // leading and trailing spaces.
    const std::string i25 = Elements(EncodeBarcode("bcCode_2_5_interleaved", "123456", false));
    EXPECT_EQ(Elements(EncodeBarcode("bcCodeFancy", "123456", false)), i25);
    EXPECT_EQ(Elements(EncodeBarcode("bcCode_2_5_interleaved", "  123456 ", false)), i25);
    // An odd count gets a leading 0: all five digits are in the bars.
    EXPECT_EQ(Elements(EncodeBarcode("bcCode_2_5_interleaved", "12345", false)),
              Elements(EncodeBarcode("bcCode_2_5_interleaved", "012345", false)));
}

TEST(Barcode, PictureAndVectorsAgree) {
    const BarcodeResult result = EncodeBarcode("bcCode_2_5_matrix", "05", false);
    const std::vector<bool> pixels = RasterizeBarcode(result);
    // Every column is all black or all white: bars fill the full height.
    for (int x = 0; x < kBarcodeWidth; ++x)
        for (int y = 1; y < kBarcodeHeight; ++y)
            ASSERT_EQ(pixels[y * kBarcodeWidth + x], pixels[x]) << x;
    const std::string svg = BarcodeSvg(result);
    EXPECT_NE(svg.find("width=\"257\" height=\"49\""), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"2.25\" height=\"49\" fill=\"#000000\"/>"),
              std::string::npos);
    std::size_t rects = 0;
    for (std::size_t at = svg.find("<rect"); at != std::string::npos;
         at = svg.find("<rect", at + 1))
        ++rects;
    EXPECT_EQ(rects, result.bars.size() + 1) << "the bars on a white background";

    struct Recorder : BarcodeRenderer {
        std::vector<BarcodeBar> seen;
        void FillBar(double x, double y, double w, double h) override {
            seen.push_back({x, y, w, h});
        }
    } recorder;
    DrawBarcode(result, recorder);
    ASSERT_EQ(recorder.seen.size(), result.bars.size());
    EXPECT_EQ(recorder.seen.back().x, result.bars.back().x);
    DrawBarcode(EncodeBarcode("bcCodeEAN13", "1", false), recorder);
    EXPECT_EQ(recorder.seen.size(), result.bars.size()) << "an error draws nothing";
}

}  // namespace
}  // namespace brenvik
