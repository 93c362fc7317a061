// Code 93 and its full-ASCII form: nine modules per character (three bars,
// three spaces), the two check characters C and K always, '*' as start and
// stop and a closing bar.
#include "store/labels/barcodeascii.h"
#include "store/labels/barcodeencoder.h"

#include <cstring>

namespace brenvik {
namespace {

const char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
// Values 0 to 42 are kChars, 43 to 46 the shifts ($) (%) (/) (+), 47 start/stop.
const char* const kPatterns[48] = {
    "100010100", "101001000", "101000100", "101000010", "100101000", "100100100", "100100010",
    "101010000", "100010010", "100001010", "110101000", "110100100", "110100010", "110010100",
    "110010010", "110001010", "101101000", "101100100", "101100010", "100110100", "100011010",
    "101011000", "101001100", "101000110", "100101100", "100010110", "110110100", "110110010",
    "110101100", "110100110", "110010110", "110011010", "101101100", "101100110", "100110110",
    "100111010", "100101110", "111010100", "111010010", "111001010", "101101110", "101110110",
    "110101110", "100100110", "111011010", "111010110", "100110010", "101011110"};

int ValueOf(char c) {
    const char* at = c ? std::strchr(kChars, c) : nullptr;
    return at ? static_cast<int>(at - kChars) : -1;
}

int CheckValue(const std::vector<int>& values, int maxWeight) {
    int sum = 0;
    int weight = 1;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        sum += *it * weight;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return sum % 47;
}

class Code93Encoder : public BarcodeEncoder {
public:
    explicit Code93Encoder(bool fullAscii) : fullAscii_(fullAscii) {}

    std::string Validate(const std::string& value) const override {
        for (unsigned char c : value) {
            if (fullAscii_ ? FullAsciiPair(c).empty() : ValueOf(static_cast<char>(c)) < 0) {
                return std::string(fullAscii_ ? "Code 93 full ASCII" : "Code 93") +
                       " cannot encode the character " + CharacterName(c) + ".";
            }
        }
        return {};
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        std::vector<int> values;
        for (unsigned char c : value) {
            // The base set's own $ % / + need no shift in Code 93.
            if (!fullAscii_ || ValueOf(static_cast<char>(c)) >= 0) {
                values.push_back(ValueOf(static_cast<char>(c)));
                continue;
            }
            const std::string pair = FullAsciiPair(c);
            values.push_back(43 + static_cast<int>(std::strchr("$%/+", pair[0]) - "$%/+"));
            values.push_back(ValueOf(pair[1]));
        }
        values.push_back(CheckValue(values, 20));
        values.push_back(CheckValue(values, 15));
        BarLayout layout;
        layout.Modules(kPatterns[47]);
        for (int v : values) layout.Modules(kPatterns[v]);
        layout.Modules(kPatterns[47]);
        layout.Modules("1");
        return layout.Take();
    }

private:
    bool fullAscii_;
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakeCode93(bool fullAscii) {
    return std::make_unique<Code93Encoder>(fullAscii);
}

}  // namespace brenvik
