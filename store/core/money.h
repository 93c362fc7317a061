#pragma once
// Number and money texts. Every quantity, price and amount is kept as text and
// read leniently when a number is needed; results are written back as fixed
// texts: two decimals ("12.50", "-0.00"), four decimals (percent factors) or a
// whole number, rounded half away from zero on the 18-significant-digit
// decimal expansion. Intermediate values are 80-bit extended (long double).
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The numeric characters of a text: digits, every minus sign, the last point.
// Never empty: "0" when nothing is kept.
std::string StripNonNumeric(std::string_view text);

// The standard decimal syntax: leading spaces, sign, digits, point, digits,
// exponent; the point is the decimal separator whatever the locale. Returns
// false for invalid text (empty, lone sign, trailing junk) and for numbers
// beyond the range of long double.
bool ReadNumber(std::string_view text, long double& value);
// Valid text gives its value; otherwise the digits read before the first
// offending character, sign and point ignored ("12.5x" reads 125). A number
// too large to hold reads as 0.
long double ReadLenient(std::string_view text);

// Fixed texts, half away from zero; the minus sign stays on values that were
// negative even when they round to zero. Large values are written in full;
// a result that overflowed is written "INF" or "-INF".
std::string FormatFixed(long double value, int decimals);
inline std::string TwoDecimals(long double v) { return FormatFixed(v, 2); }
inline std::string WholeNumber(long double v) { return FormatFixed(v, 0); }

std::string AddStrings(std::string_view a, std::string_view b);
std::string SubtractStrings(std::string_view a, std::string_view b);
std::string GetSumFromStringList(const std::vector<std::string>& list);
std::string StringRound(std::string_view text);  // half to even; invalid text unchanged
std::string MakeMoney(std::string_view text);    // "$" + text
std::string MultiplyStrings(std::string_view a, std::string_view b);  // two decimals
std::string ConvertPercent(std::string_view percent);                 // four decimals

}  // namespace brenvik
