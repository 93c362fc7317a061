// MSI (modified Plessey): four bits per digit, most significant first; a 0
// bit is a narrow bar and a wide space, a 1 bit a wide bar and a narrow space.
#include "store/labels/barcodeencoder.h"

namespace brenvik {
namespace {

// The Luhn-style modulo-10 check digit of MSI.
int MsiCheckDigit(const std::string& digits) {
    int sum = 0;
    bool doubled = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        int d = *it - '0';
        if (doubled) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum += d;
        doubled = !doubled;
    }
    return (10 - sum % 10) % 10;
}

class MsiEncoder : public BarcodeEncoder {
public:
    explicit MsiEncoder(bool checksum) : checksum_(checksum) {}

    std::string Validate(const std::string& value) const override {
        return AllDigits(TrimSpaces(value)) ? std::string() : kNumericError;
    }

    std::vector<BarcodeBar> Encode(const std::string& value) const override {
        std::string digits = TrimSpaces(value);
        if (checksum_) digits += static_cast<char>('0' + MsiCheckDigit(digits));
        BarLayout layout;
        layout.Widths("21");
        for (char d : digits) {
            for (int bit = 3; bit >= 0; --bit) layout.Widths(((d - '0') >> bit) & 1 ? "21" : "12");
        }
        layout.Widths("121");
        return layout.Take();
    }

private:
    bool checksum_;
};

}  // namespace

std::unique_ptr<BarcodeEncoder> MakeMsi(bool checksum) {
    return std::make_unique<MsiEncoder>(checksum);
}

}  // namespace brenvik
