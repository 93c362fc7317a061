// Code 128 in one forced code set, and GS1-128 (FNC1 after the start
// character). The modulo-103 check character is always drawn.
#include "store/labels/barcodeencoder.h"

namespace brenvik {
namespace {

// Bar and space widths (in modules) of the symbol values 0 to 106.
const char* const kPatterns[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

constexpr int kFnc1 = 102;
constexpr int kStartA = 103;
constexpr int kStop = 106;

class Code128Encoder : public BarcodeEncoder {
public:
    Code128Encoder(char set, bool gs1) : set_(set), gs1_(gs1) {}

    std::string Validate(const std::string& value) const override {
        const std::string name = std::string(gs1_ ? "GS1-128" : "Code 128") + " set " + set_;
        if (set_ == 'C') {
            if (!AllDigits(TrimSpaces(value))) return kNumericError;
            if (TrimSpaces(value).size() % 2 != 0)
                return name + " encodes digits in pairs: the value needs an even number of digits.";
            return {};
        }
        for (unsigned char c : value) {
            const bool fits = set_ == 'A' ? c < 0x60 : (c >= 0x20 && c < 0x80);
            if (!fits) return name + " cannot encode the character " + CharacterName(c) + ".";
        }
        return {};
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        std::vector<int> values{kStartA + (set_ - 'A')};
        if (gs1_) values.push_back(kFnc1);
        if (set_ == 'C') {
            const std::string digits = TrimSpaces(value);
            for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
                values.push_back((digits[i] - '0') * 10 + (digits[i + 1] - '0'));
        } else {
            for (unsigned char c : value) values.push_back(c < 0x20 ? c + 64 : c - 32);
        }
        int sum = values[0];
        for (std::size_t i = 1; i < values.size(); ++i) sum += values[i] * static_cast<int>(i);
        values.push_back(sum % 103);
        values.push_back(kStop);
        BarLayout layout;
        for (int v : values) layout.Widths(kPatterns[v]);
        return layout.Take();
    }

private:
    char set_;
    bool gs1_;
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakeCode128(char set, bool gs1) {
    return std::make_unique<Code128Encoder>(set, gs1);
}

}  // namespace brenvik
