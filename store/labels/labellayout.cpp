#include "store/labels/labellayout.h"

#include <algorithm>

namespace brenvik {

int StartPosition(const LabelSheetType& type, int column, int row) {
    column = std::clamp(column, 1, type.columns);
    row = std::clamp(row, 1, type.rows);
    return (row - 1) * type.columns + column;
}

std::vector<PlacedLabel> PlaceLabels(const LabelSheetType& type, int start, int count) {
    std::vector<PlacedLabel> placed;
    const int perSheet = type.PerSheet();
    start = std::clamp(start, 1, perSheet);
    for (int job = 0; job < count; ++job) {
        const int n = start - 1 + job;  // 0-based over all sheets
        placed.push_back({n / perSheet, job, type.Label(n % perSheet + 1)});
    }
    return placed;
}

int LabelPageCount(const LabelSheetType& type, int start, int count) {
    if (count <= 0) return 0;
    start = std::clamp(start, 1, type.PerSheet());
    return (start - 1 + count - 1) / type.PerSheet() + 1;
}

LengthRect BarcodeArea(const LengthRect& label) {
    return {label.left + label.width * 0.10, label.top + label.height * 0.15, label.width * 0.80,
            label.height * 0.70};
}

LengthRect FitPicture(const LengthRect& area, double width, double height) {
    LengthRect r{area.left, area.top, area.width, area.height};
    if (width <= 0 || height <= 0) return {area.left, area.top, {}, {}};
    if (width > height) {
        r.height = area.width * (height / width);
        if (r.height > area.height) {
            r.height = area.height;
            r.width = area.height * (width / height);
        }
    } else {
        r.width = area.height * (width / height);
        if (r.width > area.width) {
            r.width = area.width;
            r.height = area.width * (height / width);
        }
    }
    return r;
}

}  // namespace brenvik
