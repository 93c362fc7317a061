#include "analyzer/values.h"

#include "store/core/money.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>

namespace pellard {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

bool ReadPlainDecimal(const char* first, const char* last, double& value) {
    // Digits with at most one point: when the digits fit 2^53 and there are
    // at most 22 decimals, one division by an exact power of ten gives the
    // correctly rounded double, which is all the general reader would give.
    bool negative = false;
    if (first < last && (*first == '-' || *first == '+')) {
        negative = *first == '-';
        ++first;
    }
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = 0;
    bool point = false, anyDigit = false;
    for (const char* p = first; p < last; ++p) {
        if (*p >= '0' && *p <= '9') {
            anyDigit = true;
            if (mantissa != 0 || *p != '0') ++digits;
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            if (point) ++decimals;
            if (digits > 15) return false;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!anyDigit || decimals > 22) return false;
    value = static_cast<double>(mantissa) / kPow10[decimals];
    if (negative) value = -value;
    return true;
}

namespace {

// Reads a valid number from its sign on; out-of-range values become infinite
// (too large) or zero (too small).
Number ValidValue(const char* first, const char* last, int magnitude) {
    Number n;
    n.valid = true;
    if (ReadPlainDecimal(first, last, n.value)) return n;
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    auto [ptr, ec] = std::from_chars(first, last, n.value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude > 0) {
            n.value = std::numeric_limits<double>::infinity();
            n.overflow = true;
        } else {
            n.value = 0;
        }
    }
    (void)ptr;
    if (negative) n.value = -n.value;
    return n;
}

std::atomic<DateOrder> programOrder{DateOrder::MonthDayYear};

}  // namespace

Number NumericValue(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && *p == ' ') ++p;
    const char* start = p;
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '+' || *q == '-')) ++q;
    int mantissaDigits = 0;
    int intDigits = 0;  // significant digits before the point
    bool leadingZeros = true;
    int fracZeros = 0;    // zeros after the point before the first other digit
    int significant = 0;  // for the quick exact reading below
    int decimals = 0;
    std::uint64_t mantissa = 0;
    while (q < end && IsDigit(*q)) {
        if (*q != '0') leadingZeros = false;
        if (!leadingZeros) ++intDigits;
        mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
        ++mantissaDigits;
        ++q;
    }
    significant = intDigits;
    if (q < end && *q == '.') {
        ++q;
        while (q < end && IsDigit(*q)) {
            if (*q != '0') leadingZeros = false;
            else if (leadingZeros && intDigits == 0) ++fracZeros;
            if (!leadingZeros) ++significant;
            mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
            ++decimals;
            ++mantissaDigits;
            ++q;
        }
    }
    if (q == end && mantissaDigits > 0 && significant <= 15 && decimals <= 22) {
        // The common case, a plain decimal: exact digits over an exact power
        // of ten give the correctly rounded value.
        Number n;
        n.valid = true;
        n.value = static_cast<double>(mantissa) / kPow10[decimals];
        if (negative) n.value = -n.value;
        return n;
    }
    const char* stop = q;  // where the valid syntax ends
    long exponent = 0;
    if (mantissaDigits > 0 && q < end && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        bool expNegative = false;
        if (e < end && (*e == '+' || *e == '-')) {
            expNegative = *e == '-';
            ++e;
        }
        if (e < end && IsDigit(*e)) {
            while (e < end && IsDigit(*e)) {
                if (exponent < 100000) exponent = exponent * 10 + (*e - '0');
                ++e;
            }
            if (expNegative) exponent = -exponent;
            stop = e;
        }
    }
    if (mantissaDigits > 0 && stop == end) {
        const int magnitude = intDigits > 0 ? intDigits + static_cast<int>(exponent)
                                            : static_cast<int>(exponent) - fracZeros;
        return ValidValue(start, end, magnitude);
    }
    // Invalid: the digits read before the offending character, as one whole
    // number without sign or point.
    Number n;
    double v = 0;
    for (const char* d = start; d < stop; ++d)
        if (IsDigit(*d)) v = v * 10 + (*d - '0');
    n.value = v;
    n.overflow = std::isinf(v);
    return n;
}

void SetProgramDateFormat(DateOrder order) { programOrder.store(order); }
DateOrder ProgramDateFormat() { return programOrder.load(); }

std::string DateFormatText(DateOrder order) {
    return order == DateOrder::YearMonthDay ? "yyyy/mm/dd" : "mm/dd/yyyy";
}

// Civil calendar <-> day count (proleptic Gregorian).
Day DayFromYMD(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int>(doe) - 719468;
}

YMD YMDFromDay(Day z) {
    long zz = static_cast<long>(z) + 719468;
    const long era = (zz >= 0 ? zz : zz - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(zz - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

int DayOfWeek(Day d) {
    // 1970-01-01 was a Thursday.
    int w = static_cast<int>((static_cast<long>(d) + 4) % 7);
    return w < 0 ? w + 7 : w;
}

Day Today() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return DayFromYMD(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

bool IsValidYMD(int year, int month, int day) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<Day> DateValue(std::string_view text, DateOrder order) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    int values[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    auto skipBlanks = [&] {
        while (i < n && text[i] == ' ') ++i;
    };
    skipBlanks();
    while (count < 3) {
        if (i >= n || !IsDigit(text[i])) return std::nullopt;
        int v = 0;
        int len = 0;
        while (i < n && IsDigit(text[i])) {
            if (++len > 4) return std::nullopt;
            v = v * 10 + (text[i] - '0');
            ++i;
        }
        values[count] = v;
        digits[count] = len;
        ++count;
        skipBlanks();
        if (i < n && text[i] == '/') {
            ++i;
            skipBlanks();
            if (count == 3) return std::nullopt;
            continue;
        }
        break;
    }
    if (i != n || count < 2) return std::nullopt;
    int y, m, d;
    int yearDigits = 4;
    if (count == 2) {
        y = YMDFromDay(Today()).year;
        m = values[0];
        d = values[1];
    } else if (order == DateOrder::YearMonthDay) {
        y = values[0];
        yearDigits = digits[0];
        m = values[1];
        d = values[2];
    } else {
        m = values[0];
        d = values[1];
        y = values[2];
        yearDigits = digits[2];
    }
    if (yearDigits <= 2) y += YMDFromDay(Today()).year / 100 * 100;
    if (!IsValidYMD(y, m, d)) return std::nullopt;
    return DayFromYMD(y, m, d);
}

std::string FormatDay(Day day, DateOrder order) {
    const YMD d = YMDFromDay(day);
    char buf[16];
    auto two = [](char* out, int v) {
        out[0] = static_cast<char>('0' + v / 10 % 10);
        out[1] = static_cast<char>('0' + v % 10);
    };
    auto four = [](char* out, int v) {
        out[0] = static_cast<char>('0' + v / 1000 % 10);
        out[1] = static_cast<char>('0' + v / 100 % 10);
        out[2] = static_cast<char>('0' + v / 10 % 10);
        out[3] = static_cast<char>('0' + v % 10);
    };
    if (order == DateOrder::YearMonthDay) {
        four(buf, d.year);
        buf[4] = '/';
        two(buf + 5, d.month);
        buf[7] = '/';
        two(buf + 8, d.day);
    } else {
        two(buf, d.month);
        buf[2] = '/';
        two(buf + 3, d.day);
        buf[5] = '/';
        four(buf + 6, d.year);
    }
    return std::string(buf, 10);
}

std::string FormatNumber(long double value) { return brenvik::FormatFixed(value, 2); }

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool NameContains(std::string_view name, std::string_view lowerWord) {
    return LowerCase(name).find(lowerWord) != std::string::npos;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace pellard
