#include "store/core/money.h"

#include <locale.h>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace brenvik {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Number texts always use the point, whatever the user's locale says, so the
// conversion runs in the "C" locale.
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

// Reads the longest prefix of `text` that follows the number syntax. `end` is
// the position of the first offending character (text.size() when none) and
// `complete` tells whether the whole text is a number.
struct Scan {
    std::size_t end = 0;
    bool complete = false;
    bool hasDigits = false;  // mantissa digits ("." alone has none)
};

Scan ScanNumber(std::string_view t) {
    Scan s;
    const std::size_t n = t.size();
    std::size_t i = 0;
    while (i < n && t[i] == ' ') ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    bool mantissa = false;
    while (i < n && IsDigit(t[i])) {
        ++i;
        s.hasDigits = mantissa = true;
    }
    if (i < n && t[i] == '.') {
        ++i;
        mantissa = true;
        while (i < n && IsDigit(t[i])) {
            ++i;
            s.hasDigits = true;
        }
    }
    if (!mantissa) {
        s.end = i;
        return s;
    }
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (t[j] == '+' || t[j] == '-')) ++j;
        std::size_t k = j;
        while (k < n && IsDigit(t[k])) ++k;
        if (k == j) {  // an exponent needs digits
            s.end = k;
            return s;
        }
        i = k;
    }
    s.end = i;
    s.complete = i == n;
    return s;
}

// Converts digits (with optional sign, point and exponent) in the C locale;
// false when the value lies beyond the range of long double.
bool Convert(const std::string& text, long double& value) {
    errno = 0;
    value = strtold_l(text.c_str(), nullptr, CLocale());
    return !(errno == ERANGE && std::isinf(value));
}

}  // namespace

std::string StripNonNumeric(std::string_view text) {
    std::string kept;
    bool pointKept = false;
    for (std::size_t i = text.size(); i-- > 0;) {
        const char c = text[i];
        if (IsDigit(c) || c == '-') {
            kept.push_back(c);
        } else if (c == '.' && !pointKept) {
            kept.push_back(c);
            pointKept = true;
        }
    }
    if (kept.empty()) return "0";
    return std::string(kept.rbegin(), kept.rend());
}

bool ReadNumber(std::string_view text, long double& value) {
    const Scan s = ScanNumber(text);
    if (!s.complete) return false;
    if (!s.hasDigits) {  // "." and the like: zero, with the sign given
        value = text.find('-') != std::string_view::npos ? -0.0L : 0.0L;
        return true;
    }
    long double v = 0;
    if (!Convert(std::string(text), v)) return false;
    value = v;
    return true;
}

long double ReadLenient(std::string_view text) {
    long double value = 0;
    if (ReadNumber(text, value)) return value;
    const Scan s = ScanNumber(text);
    // A number beyond what the store can hold counts as nothing.
    if (s.complete) return 0;
    std::string digits;
    for (std::size_t i = 0; i < s.end; ++i)
        if (IsDigit(text[i])) digits.push_back(text[i]);
    if (digits.empty() || !Convert(digits, value)) return 0;
    return value;
}

std::string FormatFixed(long double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const bool negative = value < 0;

    // The magnitude as 18 significant decimal digits d0.d1...d17 x 10^exponent.
    std::string digits(18, '0');
    int exponent = 0;
    if (value != 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
        digits.clear();
        const char* p = buf;
        for (; *p && *p != 'e'; ++p)  // skips the point, whatever the locale made of it
            if (IsDigit(*p)) digits.push_back(*p);
        if (*p == 'e') exponent = std::atoi(p + 1);
        digits.resize(18, '0');
    }

    // Round the digit string at the last kept decimal, half away from zero.
    const long keep = long(exponent) + 1 + decimals;  // significant digits kept
    std::string whole;                                // |value| x 10^decimals, rounded, as digits
    if (keep <= 0) {
        whole = (keep == 0 && digits[0] >= '5') ? "1" : "0";
    } else if (keep >= 18) {
        whole = digits + std::string(std::size_t(keep - 18), '0');
    } else {
        whole = digits.substr(0, std::size_t(keep));
        if (digits[std::size_t(keep)] >= '5') {
            std::size_t i = whole.size();
            while (i > 0 && whole[i - 1] == '9') whole[--i] = '0';
            if (i == 0) whole.insert(whole.begin(), '1');
            else ++whole[i - 1];
        }
    }

    const std::size_t first = whole.find_first_not_of('0');
    whole.erase(0, first == std::string::npos ? whole.size() : first);
    if (whole.size() < std::size_t(decimals) + 1)
        whole.insert(0, std::size_t(decimals) + 1 - whole.size(), '0');
    if (decimals > 0) whole.insert(whole.size() - std::size_t(decimals), 1, '.');
    if (negative) whole.insert(whole.begin(), '-');
    return whole;
}

std::string AddStrings(std::string_view a, std::string_view b) {
    return TwoDecimals(ReadLenient(StripNonNumeric(a)) + ReadLenient(StripNonNumeric(b)));
}

namespace {
// An operand of a subtraction: 0 when empty or not a number once stripped.
long double SubtractOperand(std::string_view text) {
    long double value = 0;
    if (text.empty() || !ReadNumber(StripNonNumeric(text), value)) return 0;
    return value;
}
}  // namespace

std::string SubtractStrings(std::string_view a, std::string_view b) {
    return TwoDecimals(SubtractOperand(a) - SubtractOperand(b));
}

std::string GetSumFromStringList(const std::vector<std::string>& list) {
    long double sum = 0;
    for (const std::string& entry : list) {
        long double value = 0;
        if (!ReadNumber(StripNonNumeric(entry), value)) continue;
        const double rounded = double(value);
        if (!std::isfinite(rounded)) continue;  // beyond double range: not a usable amount
        sum += rounded;
    }
    return TwoDecimals(sum);
}

std::string StringRound(std::string_view text) {
    long double value = 0;
    if (!ReadNumber(text, value)) return std::string(text);
    const double rounded = std::nearbyint(double(value));  // ties to even
    if (!std::isfinite(rounded)) return std::string(text);
    if (rounded == 0) return "0";
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", rounded);
    return buf;
}

std::string MakeMoney(std::string_view text) {
    std::string money = "$";
    money += text;
    return money;
}

std::string MultiplyStrings(std::string_view a, std::string_view b) {
    return TwoDecimals(ReadLenient(StripNonNumeric(a)) * ReadLenient(StripNonNumeric(b)));
}

std::string ConvertPercent(std::string_view percent) {
    return FormatFixed(ReadLenient(StripNonNumeric(percent)) / 100, 4);
}

}  // namespace brenvik
