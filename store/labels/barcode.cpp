#include "store/labels/barcode.h"

#include "store/labels/barcodeencoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace brenvik {

const std::vector<std::string>& BarcodeSymbologies() {
    static const std::vector<std::string> names = {"bcCode_2_5_interleaved",
                                                   "bcCode_2_5_industrial",
                                                   "bcCode_2_5_matrix",
                                                   "bcCode39",
                                                   "bcCode39Extended",
                                                   "bcCode128A",
                                                   "bcCode128B",
                                                   "bcCode128C",
                                                   "bcCode93",
                                                   "bcCode93Extended",
                                                   "bcCodeMSI",
                                                   "bcCodePostNet",
                                                   "bcCodeCodabar",
                                                   "bcCodeEAN8",
                                                   "bcCodeEAN13",
                                                   "bcCodeUPC_A",
                                                   "bcCodeUPC_E0",
                                                   "bcCodeUPC_E1",
                                                   "bcCodeUPC_Supp2",
                                                   "bcCodeUPC_Supp5",
                                                   "bcCodeEAN128A",
                                                   "bcCodeEAN128B",
                                                   "bcCodeEAN128C"};
    return names;
}

bool IsBarcodeSymbology(const std::string& name) {
    const auto& names = BarcodeSymbologies();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::unique_ptr<BarcodeEncoder> MakeBarcodeEncoder(const std::string& name, bool checksum) {
    if (name == "bcCode_2_5_industrial") return MakeTwoOfFive(TwoOfFive::Industrial, checksum);
    if (name == "bcCode_2_5_matrix") return MakeTwoOfFive(TwoOfFive::Matrix, checksum);
    if (name == "bcCode39") return MakeCode39(false, checksum);
    if (name == "bcCode39Extended") return MakeCode39(true, checksum);
    if (name == "bcCode128A") return MakeCode128('A', false);
    if (name == "bcCode128B") return MakeCode128('B', false);
    if (name == "bcCode128C") return MakeCode128('C', false);
    if (name == "bcCode93") return MakeCode93(false);
    if (name == "bcCode93Extended") return MakeCode93(true);
    if (name == "bcCodeMSI") return MakeMsi(checksum);
    if (name == "bcCodePostNet") return MakePostnet();
    if (name == "bcCodeCodabar") return MakeCodabar(checksum);
    if (name == "bcCodeEAN8") return MakeEan(EanKind::Ean8);
    if (name == "bcCodeEAN13") return MakeEan(EanKind::Ean13);
    if (name == "bcCodeUPC_A") return MakeEan(EanKind::UpcA);
    if (name == "bcCodeUPC_E0") return MakeEan(EanKind::UpcE0);
    if (name == "bcCodeUPC_E1") return MakeEan(EanKind::UpcE1);
    if (name == "bcCodeUPC_Supp2") return MakeEan(EanKind::Supp2);
    if (name == "bcCodeUPC_Supp5") return MakeEan(EanKind::Supp5);
    if (name == "bcCodeEAN128A") return MakeCode128('A', true);
    if (name == "bcCodeEAN128B") return MakeCode128('B', true);
    if (name == "bcCodeEAN128C") return MakeCode128('C', true);
    return MakeTwoOfFive(TwoOfFive::Interleaved, checksum);
}

BarcodeResult EncodeBarcode(const std::string& symbologyName, const std::string& value,
                            bool checksum) {
    BarcodeResult result;
    if (value.empty()) {
        result.error = "There is no barcode value to draw.";
        return result;
    }
    const auto encoder = MakeBarcodeEncoder(symbologyName, checksum);
    result.error = encoder->Validate(value);
    if (!result.Ok()) return result;
    result.bars = encoder->Encode(value);
    double right = 0;
    for (const BarcodeBar& bar : result.bars) right = std::max(right, bar.x + bar.width);
    // A clipped barcode would scan as another value or not at all.
    if (right > kBarcodeWidth + 1e-9) {
        result.bars.clear();
        result.error = "The barcode is too long for the label picture: it needs " +
                       std::to_string(static_cast<int>(std::ceil(right - 1e-9))) +
                       " pixels and the picture is " + std::to_string(kBarcodeWidth) +
                       " wide. Use a shorter value or a denser barcode type.";
    }
    return result;
}

void DrawBarcode(const BarcodeResult& result, BarcodeRenderer& renderer) {
    for (const BarcodeBar& bar : result.bars) renderer.FillBar(bar.x, bar.y, bar.width, bar.height);
}

std::vector<bool> RasterizeBarcode(const BarcodeResult& result) {
    std::vector<bool> pixels(kBarcodeWidth * kBarcodeHeight, false);
    auto clampRound = [](double v, int limit) {
        return std::clamp(static_cast<int>(std::lround(v)), 0, limit);
    };
    for (const BarcodeBar& bar : result.bars) {
        const int left = clampRound(bar.x, kBarcodeWidth);
        const int right = clampRound(bar.x + bar.width, kBarcodeWidth);
        const int top = clampRound(bar.y, kBarcodeHeight);
        const int bottom = clampRound(bar.y + bar.height, kBarcodeHeight);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) pixels[y * kBarcodeWidth + x] = true;
    }
    return pixels;
}

std::string BarcodeSvg(const BarcodeResult& result) {
    auto number = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.4g", v);
        return std::string(text);
    };
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        std::to_string(kBarcodeWidth) + "\" height=\"" + std::to_string(kBarcodeHeight) +
        "\" viewBox=\"0 0 " + std::to_string(kBarcodeWidth) + " " + std::to_string(kBarcodeHeight) +
        "\" shape-rendering=\"crispEdges\">\n" + "<rect x=\"0\" y=\"0\" width=\"" +
        std::to_string(kBarcodeWidth) + "\" height=\"" + std::to_string(kBarcodeHeight) +
        "\" fill=\"#ffffff\"/>\n";
    for (const BarcodeBar& bar : result.bars) {
        svg += "<rect x=\"" + number(bar.x) + "\" y=\"" + number(bar.y) + "\" width=\"" +
               number(bar.width) + "\" height=\"" + number(bar.height) + "\" fill=\"#000000\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace brenvik
