// Codabar: seven elements per character (four bars, three spaces), a
// narrow gap between characters, start and stop from A, B, C and D.
#include "store/labels/barcodeencoder.h"

#include <cctype>
#include <cstring>

namespace brenvik {
namespace {

const char kChars[] = "0123456789-$:/.+ABCD";
// Wide elements (1) of bar, space, bar, ... for each character of kChars.
const char* const kPatterns[20] = {"0000011", "0000110", "0001001", "1100000", "0010010",
                                   "1000010", "0100001", "0100100", "0110000", "1001000",
                                   "0001100", "0011000", "1000101", "1010001", "1010100",
                                   "0010101", "0011010", "0101001", "0001011", "0001110"};

int ValueOf(char c) {
    const char* at = c ? std::strchr(kChars, std::toupper(static_cast<unsigned char>(c))) : nullptr;
    return at ? static_cast<int>(at - kChars) : -1;
}

bool IsStartStop(char c) { return ValueOf(c) >= 16; }

class CodabarEncoder : public BarcodeEncoder {
public:
    explicit CodabarEncoder(bool checksum) : checksum_(checksum) {}

    std::string Validate(const std::string& value) const override {
        if (value.empty()) return "There is no barcode value to draw.";
        const bool framed =
            value.size() >= 2 && IsStartStop(value.front()) && IsStartStop(value.back());
        if (!framed && (IsStartStop(value.front()) || IsStartStop(value.back())))
            return "A Codabar value needs both a start and a stop character (A, B, C or D), or "
                   "neither.";
        const std::size_t first = framed ? 1 : 0;
        const std::size_t last = framed ? value.size() - 1 : value.size();
        if (first == last)
            return "A Codabar barcode needs at least one character between start and stop.";
        for (std::size_t i = first; i < last; ++i) {
            const int v = ValueOf(value[i]);
            if (v < 0 || v >= 16)
                return "Codabar cannot encode the character " +
                       CharacterName(static_cast<unsigned char>(value[i])) + " here.";
        }
        return {};
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        std::vector<int> values;
        const bool framed = IsStartStop(value.front());
        if (!framed) values.push_back(ValueOf('A'));
        for (char c : value) values.push_back(ValueOf(c));
        if (!framed) values.push_back(ValueOf('A'));
        if (checksum_) {
            int sum = 0;
            for (int v : values) sum += v;
            values.insert(values.end() - 1, (16 - sum % 16) % 16);
        }
        BarLayout layout;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0) layout.Space(1);
            layout.WideNarrow(kPatterns[values[i]]);
        }
        return layout.Take();
    }

private:
    bool checksum_;
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakeCodabar(bool checksum) {
    return std::make_unique<CodabarEncoder>(checksum);
}

}  // namespace brenvik
