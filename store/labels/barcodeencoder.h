#pragma once
// The encoders behind EncodeBarcode: one class per symbology family, each
// checking a value and laying out its bars.
#include "store/labels/barcode.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class BarcodeEncoder {
public:
    virtual ~BarcodeEncoder() = default;
    // Empty when `value` can be drawn, else the reason for the user.
    virtual std::string Validate(const std::string& value) const = 0;
    // The bars of a value that passed Validate.
    virtual std::vector<BarcodeBar> Encode(const std::string& value) const = 0;
};

// The encoder for a symbology name (Interleaved 2 of 5 for an unknown one).
std::unique_ptr<BarcodeEncoder> MakeBarcodeEncoder(const std::string& name, bool checksum);

// Lays bars and spaces out from the left edge; adjacent bars merge.
class BarLayout {
public:
    void Bar(double width, double height = kBarcodeHeight);
    void Space(double width) { x_ += width; }
    // '1' a bar module, '0' a space module, each 1 pixel.
    void Modules(std::string_view bits);
    // Element widths in modules, bar first, alternating ("212222").
    void Widths(std::string_view widths);
    // Narrow ('0' or 'N', 1 pixel) and wide ('1' or 'W') elements, bar first,
    // alternating.
    void WideNarrow(std::string_view elements, double wide = 2);
    std::vector<BarcodeBar> Take() { return std::move(bars_); }

private:
    double x_ = 0;
    std::vector<BarcodeBar> bars_;
};

// Shared checks and texts.
extern const char* const kNumericError;  // "Barcode must be numeric"
bool AllDigits(std::string_view text);
std::string TrimSpaces(const std::string& text);
// A character named for a message: "A", or "character code 9".
std::string CharacterName(unsigned char c);
// The modulo-10 check digit with weights 3 and 1 from the right (2 of 5,
// EAN, UPC).
int WeightedMod10(std::string_view digits);

// The families.
enum class TwoOfFive { Interleaved, Industrial, Matrix };
std::unique_ptr<BarcodeEncoder> MakeTwoOfFive(TwoOfFive kind, bool checksum);
std::unique_ptr<BarcodeEncoder> MakeCode39(bool fullAscii, bool checksum);
std::unique_ptr<BarcodeEncoder> MakeCode93(bool fullAscii);
// set 'A', 'B' or 'C'; gs1 puts FNC1 after the start character.
std::unique_ptr<BarcodeEncoder> MakeCode128(char set, bool gs1);
std::unique_ptr<BarcodeEncoder> MakeMsi(bool checksum);
std::unique_ptr<BarcodeEncoder> MakePostnet();
std::unique_ptr<BarcodeEncoder> MakeCodabar(bool checksum);
enum class EanKind { Ean8, Ean13, UpcA, UpcE0, UpcE1, Supp2, Supp5 };
std::unique_ptr<BarcodeEncoder> MakeEan(EanKind kind);

}  // namespace brenvik
