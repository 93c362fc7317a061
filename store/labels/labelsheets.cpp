#include "store/labels/labelsheets.h"

#include "store/core/fields.h"

#include <algorithm>

namespace brenvik {

using namespace length_literals;

LengthSize PaperSize(Paper paper, Orientation orientation) {
    LengthSize s = paper == Paper::Letter ? LengthSize{8.5_in, 11_in} : LengthSize{210_mm, 297_mm};
    if (orientation == Orientation::Landscape) std::swap(s.width, s.height);
    return s;
}

LengthRect LabelSheetType::Label(int position) const {
    const int i = position - 1;
    const int column = i % columns;
    const int row = i / columns;
    return {left + horizontalPitch * column, top + verticalPitch * row, labelWidth, labelHeight};
}

namespace {

LabelSheetType Inch(std::string_view name, int columns, int rows, double width, double height,
                    double hPitch, double vPitch, double left, double top, Paper paper = Paper::A4,
                    Orientation orientation = Orientation::Portrait) {
    return {name,
            columns,
            rows,
            Length::Inches(width),
            Length::Inches(height),
            Length::Inches(hPitch),
            Length::Inches(vPitch),
            Length::Inches(left),
            Length::Inches(top),
            paper,
            orientation};
}

std::vector<LabelSheetType> MakeTypes() {
    constexpr auto Landscape = Orientation::Landscape;
    constexpr auto Portrait = Orientation::Portrait;
    std::vector<LabelSheetType> t = {
        Inch("L7159_Address", 3, 8, 2.52, 1.33, 2.63, 1.33, 0.25, 0.54),
        Inch("L7160_Address", 3, 7, 2.5, 1.5, 2.6, 1.5, 0.28, 0.63),
        Inch("L7161_Address", 3, 6, 2.5, 1.83, 2.6, 1.83, 0.28, 0.38),
        Inch("L7162_Address", 2, 8, 3.9, 1.33, 4.0, 1.33, 0.18, 0.54),
        Inch("L7163_Address", 2, 7, 3.9, 1.5, 4.0, 1.5, 0.18, 0.63),
        Inch("L7164_Address", 3, 4, 2.5, 2.83, 2.6, 2.83, 0.28, 0.21),
        Inch("L7165_Parcel", 2, 4, 3.9, 2.67, 4.0, 2.67, 0.18, 0.54),
        Inch("L7166_Parcel", 2, 3, 3.9, 3.67, 4.0, 3.67, 0.18, 0.38),
        Inch("L7167_Shipping", 1, 1, 7.86, 11.38, 7.86, 11.38, 0.2, 0.18),
        Inch("L7168_Shipping", 1, 2, 7.86, 5.65, 7.86, 5.65, 0.18, 0.22),
        Inch("L7169_Parcel", 2, 2, 5.47, 3.9, 5.47, 4.0, 0.4, 0.18, Paper::A4, Landscape),
        Inch("L7170_Eurofolio", 1, 24, 5.28, 0.43, 5.28, 0.43, 1.5, 0.68),
        Inch("L7171_LeverArch", 4, 1, 2.36, 7.88, 2.36, 7.88, 1.15, 0.2, Paper::A4, Landscape),
        Inch("L7172_RingBinder", 2, 9, 3.94, 1.18, 4.04, 1.18, 0.15, 0.56),
        Inch("L7173_Shipping", 2, 5, 3.9, 2.24, 4.0, 2.24, 0.18, 0.26),
        Inch("L7263_Address", 2, 7, 3.9, 1.5, 4.0, 1.5, 0.18, 0.63),
        Inch("J8660_Diskette", 2, 5, 2.76, 2.05, 3.67, 2.05, 0.92, 0.76),
        Inch("Avery_5160_Address", 3, 10, 2.63, 1.0, 2.75, 1.0, 0.19, 0.5, Paper::Letter),
    };
    // These numbers are millimetres: in inches the sheet would be metres wide.
    t.push_back({"Avery_8160_Address", 2, 16, 96_mm, 16.9_mm, 98_mm, 16.9_mm, 8_mm, 12_mm,
                 Paper::A4, Portrait});
    return t;
}

}  // namespace

const std::vector<LabelSheetType>& LabelSheetTypes() {
    static const std::vector<LabelSheetType> types = MakeTypes();
    return types;
}

const LabelSheetType* FindLabelSheetType(std::string_view name) {
    for (const LabelSheetType& t : LabelSheetTypes())
        if (EqualIgnoringCase(t.name, name)) return &t;
    return nullptr;
}

const LabelSheetType& LabelSheetTypeOrFirst(std::string_view name) {
    const LabelSheetType* t = FindLabelSheetType(name);
    return t ? *t : LabelSheetTypes().front();
}

}  // namespace brenvik
