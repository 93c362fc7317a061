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

namespace {
Number PlainNumericValue(std::string_view text);

// A currency sign at the start of `t`: its length, or 0.
std::size_t CurrencySign(std::string_view t) {
    if (t.empty()) return 0;
    const unsigned char c = static_cast<unsigned char>(t[0]);
    if (c == '$' || c == 0xA3 || c == 0x80) return 1;  // $, and £ and € in the code page
    if (t.substr(0, 2) == "\xC2\xA3") return 2;        // £
    if (t.substr(0, 3) == "\xE2\x82\xAC") return 3;    // €
    return 0;
}

// An amount as downloads write it; nothing when the text is not one.
std::optional<double> DownloadAmount(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    bool negative = false, sign = false;
    auto takeSign = [&] {
        if (!sign && !t.empty() && (t[0] == '-' || t[0] == '+')) {
            negative = t[0] == '-';
            sign = true;
            t.remove_prefix(1);
        }
    };
    takeSign();
    if (const std::size_t n = CurrencySign(t)) {
        t.remove_prefix(n);
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        takeSign();
    }
    if (t.empty() || t[0] == '+' || t[0] == '-' || t[0] == ' ') return std::nullopt;
    double v;
    if (t.find(',') == std::string_view::npos) {
        const Number n = PlainNumericValue(t);
        if (!n.valid) return std::nullopt;
        v = n.value;
    } else {
        // Groups: one to three digits, then groups of exactly three, then
        // an optional point and decimals.
        std::string plain;
        std::size_t i = 0, group = 0;
        while (i < t.size() && IsDigit(t[i])) plain.push_back(t[i++]), ++group;
        if (group < 1 || group > 3) return std::nullopt;
        while (i < t.size() && t[i] == ',') {
            ++i;
            group = 0;
            while (i < t.size() && IsDigit(t[i])) plain.push_back(t[i++]), ++group;
            if (group != 3) return std::nullopt;
        }
        if (i < t.size() && t[i] == '.') {
            plain.push_back('.');
            ++i;
            while (i < t.size() && IsDigit(t[i])) plain.push_back(t[i++]);
        }
        if (i != t.size()) return std::nullopt;
        const Number n = PlainNumericValue(plain);
        if (!n.valid) return std::nullopt;
        v = n.value;
    }
    return negative ? -v : v;
}
}  // namespace

bool HasContent(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

Number NumericValue(std::string_view text) {
    Number n = PlainNumericValue(text);
    if (n.valid || text.empty()) return n;
    if (auto v = DownloadAmount(text)) {
        n.value = *v;
        n.valid = true;
        n.overflow = false;
    }
    return n;
}

namespace {
Number PlainNumericValue(std::string_view text) {
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
}  // namespace

void SetProgramDateFormat(DateOrder order) { programOrder.store(order); }
DateOrder ProgramDateFormat() { return programOrder.load(); }

std::string DateFormatText(DateOrder order) {
    switch (order) {
    case DateOrder::YearMonthDay:
        return "yyyy/mm/dd";
    case DateOrder::DayMonthYear:
        return "dd/mm/yyyy";
    default:
        return "mm/dd/yyyy";
    }
}

std::optional<DateOrder> DateOrderFromText(std::string_view text) {
    for (DateOrder o : {DateOrder::YearMonthDay, DateOrder::MonthDayYear, DateOrder::DayMonthYear})
        if (text == DateFormatText(o)) return o;
    return std::nullopt;
}

namespace detail {
int DateOrderHint(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    int v = 0, digits = 0;
    while (i < t.size() && IsDigit(t[i]) && digits < 5) v = v * 10 + (t[i++] - '0'), ++digits;
    if (digits == 0 || digits > 4 || i >= t.size() || (t[i] != '/' && t[i] != '-')) return 0;
    if (digits == 4) return 2;
    return v > 12 ? 3 : 1;
}
}  // namespace detail

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
        if (i < n && (text[i] == '/' || text[i] == '-')) {
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
        m = values[order == DateOrder::DayMonthYear ? 1 : 0];
        d = values[order == DateOrder::DayMonthYear ? 0 : 1];
    } else if (order == DateOrder::DayMonthYear) {
        d = values[0];
        m = values[1];
        y = values[2];
        yearDigits = digits[2];
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
        const bool dayFirst = order == DateOrder::DayMonthYear;
        two(buf, dayFirst ? d.day : d.month);
        buf[2] = '/';
        two(buf + 3, dayFirst ? d.month : d.day);
        buf[5] = '/';
        four(buf + 6, d.year);
    }
    return std::string(buf, 10);
}

std::string FormatNumber(long double value) {
    std::string text = brenvik::FormatFixed(value, 2);
    // A value that rounds to nothing is written without its sign.
    if (text == "-0.00") text.erase(0, 1);
    return text;
}

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
