#pragma once
// The picture frame of a barcode and one bar in it.

namespace brenvik {

inline constexpr int kBarcodeWidth = 257;
inline constexpr int kBarcodeHeight = 49;

// One black bar, in picture pixels (fractions for Matrix 2 of 5's wide
// elements).
struct BarcodeBar {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

}  // namespace brenvik
