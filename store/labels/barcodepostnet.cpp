// POSTNET: five bars per digit, two of them tall, between two tall frame
// bars, with its check digit always. Bars stand on the bottom edge.
#include "store/labels/barcodeencoder.h"

namespace brenvik {
namespace {

// Tall (1) and short (0) bars of the digits 0 to 9.
const char* const kPatterns[10] = {"11000", "00011", "00101", "00110", "01001",
                                   "01010", "01100", "10001", "10010", "10100"};
// A short bar is two fifths of a tall one, as the standard's 0.050 to 0.125 inch.
constexpr double kShortHeight = kBarcodeHeight * 2.0 / 5.0;

class PostnetEncoder : public BarcodeEncoder {
public:
    std::string Validate(const std::string& value) const override {
        const std::string digits = TrimSpaces(value);
        if (!AllDigits(digits)) return kNumericError;
        if (digits.size() != 5 && digits.size() != 9 && digits.size() != 11)
            return "A POSTNET barcode takes 5, 9 or 11 digits.";
        return {};
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        std::string digits = TrimSpaces(value);
        int sum = 0;
        for (char d : digits) sum += d - '0';
        digits += static_cast<char>('0' + (10 - sum % 10) % 10);
        BarLayout layout;
        layout.Bar(1);
        for (char d : digits) {
            for (int e = 0; e < 5; ++e) {
                layout.Space(1);
                layout.Bar(1, kPatterns[d - '0'][e] == '1' ? kBarcodeHeight : kShortHeight);
            }
        }
        layout.Space(1);
        layout.Bar(1);
        return layout.Take();
    }
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakePostnet() { return std::make_unique<PostnetEncoder>(); }

}  // namespace brenvik
