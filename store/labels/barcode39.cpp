// Code 39 and its full-ASCII form: nine elements per character, three wide,
// a narrow gap between characters, '*' as start and stop.
#include "store/labels/barcodeascii.h"
#include "store/labels/barcodeencoder.h"

#include <cstring>

namespace brenvik {
namespace {

const char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
// Wide elements (1) of bar, space, bar, ... for each character of kChars.
const char* const kPatterns[44] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010", "010010100"};

int ValueOf(char c) {
    const char* at = c ? std::strchr(kChars, c) : nullptr;
    return at && *at != '*' ? static_cast<int>(at - kChars) : -1;
}

class Code39Encoder : public BarcodeEncoder {
public:
    Code39Encoder(bool fullAscii, bool checksum) : fullAscii_(fullAscii), checksum_(checksum) {}

    std::string Validate(const std::string& value) const override {
        for (unsigned char c : value) {
            if (fullAscii_ ? FullAsciiPair(c).empty() : ValueOf(static_cast<char>(c)) < 0) {
                return std::string(fullAscii_ ? "Code 39 full ASCII" : "Code 39") +
                       " cannot encode the character " + CharacterName(c) + ".";
            }
        }
        return {};
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        std::string text;
        if (fullAscii_) {
            for (unsigned char c : value) text += FullAsciiPair(c);
        } else {
            text = value;
        }
        if (checksum_) {
            int sum = 0;
            for (char c : text) sum += ValueOf(c);
            text += kChars[sum % 43];
        }
        BarLayout layout;
        auto character = [&layout](int index) { layout.WideNarrow(kPatterns[index]); };
        character(43);
        for (char c : text) {
            layout.Space(1);
            character(ValueOf(c));
        }
        layout.Space(1);
        character(43);
        return layout.Take();
    }

private:
    bool fullAscii_;
    bool checksum_;
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakeCode39(bool fullAscii, bool checksum) {
    return std::make_unique<Code39Encoder>(fullAscii, checksum);
}

}  // namespace brenvik
