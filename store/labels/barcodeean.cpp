// EAN-8, EAN-13, UPC-A, UPC-E and the 2- and 5-digit add-ons: seven modules
// per digit in the L, G or R sets; check digit always.
#include "store/labels/barcodeencoder.h"

namespace brenvik {
namespace {

const char* const kSetL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                               "0110001", "0101111", "0111011", "0110111", "0001011"};

// 'L' odd parity, 'G' even parity (L mirrored and inverted), 'R' right half.
std::string DigitModules(char digit, char set) {
    std::string bits = kSetL[digit - '0'];
    if (set == 'L') return bits;
    for (char& b : bits) b = b == '1' ? '0' : '1';  // R
    if (set == 'G') return std::string(bits.rbegin(), bits.rend());
    return bits;
}

// EAN-13's first digit as the parity of the left six digits.
const char* const kEan13Parity[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                      "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
// UPC-E number system 0 parity by check digit; number system 1 is its mirror.
const char* const kUpcEParity[10] = {"GGGLLL", "GGLGLL", "GGLLGL", "GGLLLG", "GLGGLL",
                                     "GLLGGL", "GLLLGG", "GLGLGL", "GLGLLG", "GLLGLG"};
const char* const kSupp5Parity[10] = {"GGLLL", "GLGLL", "GLLGL", "GLLLG", "LGGLL",
                                      "LLGGL", "LLLGG", "LGLGL", "LGLLG", "LLGLG"};
const char* const kSupp2Parity[4] = {"LL", "LG", "GL", "GG"};

// The UPC-A digits (number system, ten digits, no check digit) that a
// six-digit UPC-E body stands for.
std::string ExpandUpcE(char numberSystem, const std::string& six) {
    const std::string& d = six;
    std::string body;
    switch (d[5]) {
    case '0':
    case '1':
    case '2':
        body = d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
        break;
    case '3':
        body = d.substr(0, 3) + "00000" + d.substr(3, 2);
        break;
    case '4':
        body = d.substr(0, 4) + "00000" + d[4];
        break;
    default:
        body = d.substr(0, 5) + "0000" + d[5];
        break;
    }
    return std::string(1, numberSystem) + body;
}

struct EanShape {
    const char* name;
    std::size_t digits;  // without the check digit
    bool hasCheck;
};

EanShape ShapeOf(EanKind kind) {
    switch (kind) {
    case EanKind::Ean8:
        return {"EAN-8", 7, true};
    case EanKind::Ean13:
        return {"EAN-13", 12, true};
    case EanKind::UpcA:
        return {"UPC-A", 11, true};
    case EanKind::UpcE0:
        return {"UPC-E", 6, true};
    case EanKind::UpcE1:
        return {"UPC-E", 6, true};
    case EanKind::Supp2:
        return {"2-digit add-on", 2, false};
    case EanKind::Supp5:
        return {"5-digit add-on", 5, false};
    }
    return {"EAN-13", 12, true};
}

class EanEncoder : public BarcodeEncoder {
public:
    explicit EanEncoder(EanKind kind) : kind_(kind) {}

    std::string Validate(const std::string& value) const override {
        const std::string digits = TrimSpaces(value);
        if (!AllDigits(digits)) return kNumericError;
        const EanShape shape = ShapeOf(kind_);
        const std::string a = shape.name[0] == 'E' ? "An " : "A ";
        if (!shape.hasCheck) {
            if (digits.size() != shape.digits)
                return "A " + std::string(shape.name) + " barcode takes exactly " +
                       std::to_string(shape.digits) + " digits.";
            return {};
        }
        if (digits.size() != shape.digits && digits.size() != shape.digits + 1) {
            return a + shape.name + " barcode takes " + std::to_string(shape.digits) +
                   " digits, or " + std::to_string(shape.digits + 1) + " with its check digit.";
        }
        if (digits.size() == shape.digits + 1) {
            const char expected = CheckDigit(digits.substr(0, shape.digits));
            if (digits.back() != expected)
                return std::string("The check digit of this ") + shape.name +
                       " barcode is wrong: it should be " + expected + ".";
        }
        return {};
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        const EanShape shape = ShapeOf(kind_);
        std::string digits = TrimSpaces(value).substr(0, shape.digits);
        BarLayout layout;
        switch (kind_) {
        case EanKind::Ean8:
        case EanKind::Ean13:
        case EanKind::UpcA: {
            digits += CheckDigit(digits);
            if (kind_ == EanKind::UpcA) digits.insert(0, "0");
            std::string left, right;
            std::string parity;
            if (kind_ == EanKind::Ean8) {
                left = digits.substr(0, 4);
                right = digits.substr(4);
                parity = "LLLL";
            } else {
                left = digits.substr(1, 6);
                right = digits.substr(7);
                parity = kEan13Parity[digits[0] - '0'];
            }
            layout.Modules("101");
            for (std::size_t i = 0; i < left.size(); ++i)
                layout.Modules(DigitModules(left[i], parity[i]));
            layout.Modules("01010");
            for (char d : right) layout.Modules(DigitModules(d, 'R'));
            layout.Modules("101");
            break;
        }
        case EanKind::UpcE0:
        case EanKind::UpcE1: {
            const char check = CheckDigit(digits);
            std::string parity = kUpcEParity[check - '0'];
            if (kind_ == EanKind::UpcE1)
                for (char& p : parity) p = p == 'G' ? 'L' : 'G';
            layout.Modules("101");
            for (std::size_t i = 0; i < 6; ++i) layout.Modules(DigitModules(digits[i], parity[i]));
            layout.Modules("010101");
            break;
        }
        case EanKind::Supp2:
        case EanKind::Supp5: {
            std::string parity;
            if (kind_ == EanKind::Supp2) {
                parity = kSupp2Parity[std::stoi(digits) % 4];
            } else {
                int sum = 0;
                for (std::size_t i = 0; i < 5; ++i) sum += (digits[i] - '0') * (i % 2 == 0 ? 3 : 9);
                parity = kSupp5Parity[sum % 10];
            }
            layout.Modules("1011");
            for (std::size_t i = 0; i < digits.size(); ++i) {
                if (i > 0) layout.Modules("01");
                layout.Modules(DigitModules(digits[i], parity[i]));
            }
            break;
        }
        }
        return layout.Take();
    }

private:
    // The check digit of the digits without it; UPC-E's is that of the
    // UPC-A number it stands for.
    char CheckDigit(const std::string& digits) const {
        if (kind_ == EanKind::UpcE0 || kind_ == EanKind::UpcE1)
            return static_cast<char>(
                '0' + WeightedMod10(ExpandUpcE(kind_ == EanKind::UpcE0 ? '0' : '1', digits)));
        return static_cast<char>('0' + WeightedMod10(digits));
    }

    EanKind kind_;
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakeEan(EanKind kind) { return std::make_unique<EanEncoder>(kind); }

}  // namespace brenvik
