#pragma once
// The label sheet types: the geometry of each sheet of adhesive labels, and a
// length type that keeps millimetres, inches and points from being mixed.
// Lengths are converted to the page engine's inches only where a page is
// drawn.
#include <compare>
#include <string_view>
#include <vector>

namespace brenvik {

// A length on paper. It can only be made from, and read as, a named unit, so
// a number in one unit is never taken for another.
class Length {
public:
    constexpr Length() = default;
    static constexpr Length Millimetres(double mm) { return Length(mm); }
    static constexpr Length Inches(double in) { return Length(in * MmPerInch); }
    static constexpr Length Points(double pt) { return Length(pt * MmPerInch / 72.0); }

    constexpr double InMillimetres() const { return mm_; }
    constexpr double InInches() const { return mm_ / MmPerInch; }
    constexpr double InPoints() const { return mm_ * 72.0 / MmPerInch; }

    constexpr Length operator+(Length o) const { return Length(mm_ + o.mm_); }
    constexpr Length operator-(Length o) const { return Length(mm_ - o.mm_); }
    constexpr Length operator-() const { return Length(-mm_); }
    constexpr Length operator*(double k) const { return Length(mm_ * k); }
    constexpr Length operator/(double k) const { return Length(mm_ / k); }
    constexpr double operator/(Length o) const { return mm_ / o.mm_; }  // a plain ratio
    constexpr Length& operator+=(Length o) {
        mm_ += o.mm_;
        return *this;
    }
    constexpr Length& operator-=(Length o) {
        mm_ -= o.mm_;
        return *this;
    }
    friend constexpr Length operator*(double k, Length l) { return l * k; }
    constexpr auto operator<=>(const Length&) const = default;

private:
    static constexpr double MmPerInch = 25.4;
    constexpr explicit Length(double mm) : mm_(mm) {}
    double mm_ = 0;
};

namespace length_literals {
constexpr Length operator""_mm(long double v) { return Length::Millimetres(double(v)); }
constexpr Length operator""_mm(unsigned long long v) { return Length::Millimetres(double(v)); }
constexpr Length operator""_in(long double v) { return Length::Inches(double(v)); }
constexpr Length operator""_in(unsigned long long v) { return Length::Inches(double(v)); }
constexpr Length operator""_pt(long double v) { return Length::Points(double(v)); }
constexpr Length operator""_pt(unsigned long long v) { return Length::Points(double(v)); }
}  // namespace length_literals

enum class Paper { A4, Letter };
enum class Orientation { Portrait, Landscape };

// A rectangle on the page, measured from the page's top-left corner.
struct LengthRect {
    Length left, top, width, height;
    Length Right() const { return left + width; }
    Length Bottom() const { return top + height; }
};

struct LengthSize {
    Length width, height;
};

// The paper's size, turned for the orientation.
LengthSize PaperSize(Paper paper, Orientation orientation);

struct LabelSheetType {
    std::string_view name;
    int columns = 1;
    int rows = 1;
    Length labelWidth, labelHeight;
    // From one label's top-left corner to the next one's.
    Length horizontalPitch, verticalPitch;
    // The first label's top-left corner from the sheet's top-left corner.
    Length left, top;
    Paper paper = Paper::A4;
    Orientation orientation = Orientation::Portrait;

    int PerSheet() const { return columns * rows; }
    LengthSize Page() const { return PaperSize(paper, orientation); }
    // The label at `position` of a sheet, 1-based, filling each row from
    // left to right and the rows from top to bottom.
    LengthRect Label(int position) const;
    // Label(position) for the column and row, both 1-based.
    LengthRect Label(int column, int row) const { return Label((row - 1) * columns + column); }
};

// Every label sheet type, in the order offered to the user.
const std::vector<LabelSheetType>& LabelSheetTypes();

// The type named `name` (without regard to case), or nullptr.
const LabelSheetType* FindLabelSheetType(std::string_view name);
// The type named `name`, or the first type when the name is unknown.
const LabelSheetType& LabelSheetTypeOrFirst(std::string_view name);

}  // namespace brenvik
