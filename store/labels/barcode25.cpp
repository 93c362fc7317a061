// The 2 of 5 family: every digit is five elements, two of them wide.
#include "store/labels/barcodeencoder.h"

namespace brenvik {
namespace {

// Wide ('W') and narrow ('N') elements of the digits 0 to 9.
const char* const kTwoOfFive[10] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                    "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

class TwoOfFiveEncoder : public BarcodeEncoder {
public:
    TwoOfFiveEncoder(TwoOfFive kind, bool checksum) : kind_(kind), checksum_(checksum) {}

    std::string Validate(const std::string& value) const override {
        return AllDigits(TrimSpaces(value)) ? std::string() : kNumericError;
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        const std::string digits = Digits(value);
        const double wide = kind_ == TwoOfFive::Matrix ? 2.25 : 2;
        auto width = [wide](char element) { return element == 'W' ? wide : 1.0; };
        BarLayout layout;
        switch (kind_) {
        case TwoOfFive::Interleaved:
            layout.Widths("1111");
            for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
                const char* bars = kTwoOfFive[digits[i] - '0'];
                const char* spaces = kTwoOfFive[digits[i + 1] - '0'];
                for (int e = 0; e < 5; ++e) {
                    layout.Bar(width(bars[e]));
                    layout.Space(width(spaces[e]));
                }
            }
            layout.Bar(2);
            layout.Space(1);
            layout.Bar(1);
            break;
        case TwoOfFive::Industrial:
            // Only the bars carry the digits; every space is narrow.
            for (char e : std::string("WWN")) {
                layout.Bar(width(e));
                layout.Space(1);
            }
            for (char d : digits) {
                for (int e = 0; e < 5; ++e) {
                    layout.Bar(width(kTwoOfFive[d - '0'][e]));
                    layout.Space(1);
                }
            }
            layout.Bar(2);
            layout.Space(1);
            layout.Bar(1);
            layout.Space(1);
            layout.Bar(2);
            break;
        case TwoOfFive::Matrix: {
            // Bar, space, bar, space, bar and a narrow gap per character; the
            // start and stop character is one wide bar and two narrow ones.
            auto character = [&](const char* elements) { layout.WideNarrow(elements, wide); };
            character("WNNNN");
            for (char d : digits) {
                layout.Space(1);
                character(kTwoOfFive[d - '0']);
            }
            layout.Space(1);
            character("WNNNN");
            break;
        }
        }
        return layout.Take();
    }

private:
    // The value's digits with the optional check digit and, for Interleaved
    // 2 of 5, a leading 0 to make the count even: every digit is in the bars.
    std::string Digits(const std::string& value) const {
        std::string digits = TrimSpaces(value);
        if (checksum_) digits += static_cast<char>('0' + WeightedMod10(digits));
        if (kind_ == TwoOfFive::Interleaved && digits.size() % 2 != 0) digits = "0" + digits;
        return digits;
    }

    TwoOfFive kind_;
    bool checksum_;
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakeTwoOfFive(TwoOfFive kind, bool checksum) {
    return std::make_unique<TwoOfFiveEncoder>(kind, checksum);
}

}  // namespace brenvik
