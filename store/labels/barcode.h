#pragma once
// Barcodes of the published linear symbologies, drawn as a list of bars in
// the 257 x 49 pixel frame of the barcode picture: narrowest bar or space 1
// pixel, wide elements 2 (2.25 for Matrix 2 of 5), bars from the left edge
// at full height (POSTNET: tall and short bars on the bottom edge), no text.
// Values are the store's 8-bit bytes.
#include "store/labels/barcodebars.h"

#include <string>
#include <vector>

namespace brenvik {

// Either the bars of a value or, when it cannot be drawn, why.
struct BarcodeResult {
    std::string error;  // empty when drawn
    std::vector<BarcodeBar> bars;
    bool Ok() const { return error.empty(); }
};

// The 23 symbology names in list order; the first is the default.
const std::vector<std::string>& BarcodeSymbologies();
// True for one of those names (the dialog draws any other as the first).
bool IsBarcodeSymbology(const std::string& name);

// Draws `value` with the named symbology. `checksum` adds the optional check
// character where the symbology defines one; mandatory check characters are
// always drawn. A value the symbology cannot take, or one whose bars would
// not fit the 257 pixel frame, gives an error and no bars.
BarcodeResult EncodeBarcode(const std::string& symbologyName, const std::string& value,
                            bool checksum);

// Something that can fill rectangles: the screen picture, a printed page,
// an SVG file. Coordinates are in the picture's pixels; a renderer that
// draws larger scales them itself, so printed bars stay sharp.
class BarcodeRenderer {
public:
    virtual ~BarcodeRenderer() = default;
    virtual void FillBar(double x, double y, double width, double height) = 0;
};

// Hands every bar of `result` to `renderer` (nothing for an error).
void DrawBarcode(const BarcodeResult& result, BarcodeRenderer& renderer);

// The 257 x 49 picture, row by row, true for black. A bar edge falls on the
// nearest pixel boundary.
std::vector<bool> RasterizeBarcode(const BarcodeResult& result);

// The same drawing as an SVG document of 257 x 49 units.
std::string BarcodeSvg(const BarcodeResult& result);

}  // namespace brenvik
