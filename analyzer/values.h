#pragma once
// The analyzer's own reading of cell texts: the numeric value of a text, the
// date value of a text in the program's date format, and the formatted number
// that statistics and reports write. None of it depends on the locale.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellard {

// Numeric value of a text. A valid text ("12.50", " -3", "1e5", "12.", ".5")
// yields its value; so does an amount as downloads write it, with blanks at
// either end, a sign, a currency sign ("$", "£", "€" in UTF-8 or the Western
// code page) and comma thousands groups ("-$1,234.50", "£ -5", "1,058.09 ").
// An invalid one yields the digits read before the offending character
// taken together as an unsigned whole number ("12.5x" gives 125, "-3 USD"
// gives 3, "abc" and "" give 0).
// `overflow` marks a value that does not fit a double (it is then infinite).
struct Number {
    double value = 0;
    bool valid = false;
    bool overflow = false;
};
Number NumericValue(std::string_view text);

// The numeric values of a column of texts, kept compactly: a value and a
// validity mark per text (a value that does not fit is infinite).
class NumberColumn {
public:
    explicit NumberColumn(std::size_t n) : values_(n, 0.0), valid_(n, 0) {}
    std::size_t size() const { return values_.size(); }
    Number operator[](std::size_t i) const {
        Number n;
        n.value = values_[i];
        n.valid = valid_[i] != 0;
        n.overflow = values_[i] - values_[i] != 0;  // infinite
        return n;
    }
    void Set(std::size_t i, const Number& n) {
        values_[i] = n.value;
        valid_[i] = n.valid ? 1 : 0;
    }

private:
    std::vector<double> values_;
    std::vector<std::uint8_t> valid_;
};
// Quick exact reading of a signed plain decimal ("-12.50", "3."); false when
// the text has another form or too many digits for it.
bool ReadPlainDecimal(const char* first, const char* last, double& value);

// True for a text that holds something other than blanks.
bool HasContent(std::string_view text);

// The order of year, month and day in dates. The program's date format is
// the one new analyses start from: year/month/day for the store's own
// files, month/day/year otherwise.
enum class DateOrder { YearMonthDay, MonthDayYear, DayMonthYear };
void SetProgramDateFormat(DateOrder order);
DateOrder ProgramDateFormat();
// "yyyy/mm/dd", "mm/dd/yyyy" or "dd/mm/yyyy", and back.
std::string DateFormatText(DateOrder order);
std::optional<DateOrder> DateOrderFromText(std::string_view text);

// The order a column of dates is written in: a four-digit first part means
// year first, a first part above 12 in any cell day first, and anything
// else month first. `cell(i)` gives the i-th of `count` cells.
template <class Cells>
DateOrder DetectDateOrder(int count, Cells&& cell);

// Dates are whole days, counted from 1970-01-01.
using Day = std::int32_t;
struct YMD {
    int year = 1970;
    int month = 1;
    int day = 1;
};
Day DayFromYMD(int year, int month, int day);
YMD YMDFromDay(Day d);
int DayOfWeek(Day d);  // 0 Sunday .. 6 Saturday
Day Today();
bool IsValidYMD(int year, int month, int day);

// Date value of a text in the given order: two or three numbers separated by
// "/" or "-", blanks allowed around; two numbers are month and day of the current
// year; a year of one or two digits lies in the current century.
std::optional<Day> DateValue(std::string_view text, DateOrder order);
inline std::optional<Day> DateValue(std::string_view text) {
    return DateValue(text, ProgramDateFormat());
}
// A day written in the given order, "yyyy/mm/dd", "mm/dd/yyyy" or "dd/mm/yyyy".
std::string FormatDay(Day d, DateOrder order);
inline std::string FormatDay(Day d) { return FormatDay(d, ProgramDateFormat()); }

// Fixed notation with two decimals, "." and no grouping, a half rounded away
// from zero on the 18-significant-digit expansion (0.125 gives "0.13").
std::string FormatNumber(long double value);

// Lower-cased bytes (ASCII letters only) and the name tests made on them.
std::string LowerCase(std::string_view text);
bool NameContains(std::string_view name, std::string_view lowerWord);
bool EqualNoCase(std::string_view a, std::string_view b);

namespace detail {
// 0: not the start of a date; 1: cannot tell; 2: year first; 3: day first.
int DateOrderHint(std::string_view text);
}  // namespace detail

template <class Cells>
DateOrder DetectDateOrder(int count, Cells&& cell) {
    bool dayFirst = false;
    for (int i = 0; i < count; ++i) {
        const int hint = detail::DateOrderHint(cell(i));
        if (hint == 2) return DateOrder::YearMonthDay;
        if (hint == 3) dayFirst = true;
    }
    return dayFirst ? DateOrder::DayMonthYear : DateOrder::MonthDayYear;
}

}  // namespace pellard
