#include "store/labels/barcodeencoder.h"

#include <algorithm>
#include <cmath>

namespace brenvik {

const char* const kNumericError = "Barcode must be numeric";

void BarLayout::Bar(double width, double height) {
    const double y = kBarcodeHeight - height;
    if (!bars_.empty()) {
        BarcodeBar& last = bars_.back();
        if (std::abs(last.x + last.width - x_) < 1e-9 && last.y == y && last.height == height) {
            last.width += width;
            x_ += width;
            return;
        }
    }
    bars_.push_back({x_, y, width, height});
    x_ += width;
}

void BarLayout::Modules(std::string_view bits) {
    for (char bit : bits) {
        if (bit == '1') Bar(1);
        else Space(1);
    }
}

void BarLayout::Widths(std::string_view widths) {
    bool bar = true;
    for (char w : widths) {
        if (bar) Bar(w - '0');
        else Space(w - '0');
        bar = !bar;
    }
}

void BarLayout::WideNarrow(std::string_view elements, double wide) {
    bool bar = true;
    for (char e : elements) {
        const double w = e == '1' || e == 'W' ? wide : 1;
        if (bar) Bar(w);
        else Space(w);
        bar = !bar;
    }
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string CharacterName(unsigned char c) {
    if (c < 0x21 || c >= 0x7F) return "character code " + std::to_string(c);
    return std::string("\"") + static_cast<char>(c) + "\"";
}

int WeightedMod10(std::string_view digits) {
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

}  // namespace brenvik
