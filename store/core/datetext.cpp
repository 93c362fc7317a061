#include "store/core/datetext.h"

#include <cstdio>
#include <ctime>

namespace brenvik {

namespace {

void SkipBlanks(std::string_view t, std::size_t& i) {
    while (i < t.size() && t[i] == ' ') ++i;
}

// One number of a date: up to four digits after optional blanks. `count`
// receives the number of digits read.
bool ScanDatePart(std::string_view t, std::size_t& i, int& value, int& count) {
    SkipBlanks(t, i);
    value = 0;
    count = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9' && count < 4) {
        value = value * 10 + (t[i] - '0');
        ++count;
        ++i;
    }
    return count > 0;
}

bool ScanSeparator(std::string_view t, std::size_t& i) {
    SkipBlanks(t, i);
    if (i >= t.size() || t[i] != '/') return false;
    ++i;
    return true;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= last;
}

std::optional<Date> ParseDate(std::string_view text) {
    std::size_t i = 0;
    int year = 0, month = 0, day = 0, yearDigits = 0, count = 0;
    if (!ScanDatePart(text, i, year, yearDigits) || !ScanSeparator(text, i) ||
        !ScanDatePart(text, i, month, count) || !ScanSeparator(text, i) ||
        !ScanDatePart(text, i, day, count))
        return std::nullopt;
    SkipBlanks(text, i);
    if (i != text.size()) return std::nullopt;
    if (yearDigits <= 2) {
        // A two-digit year falls in the hundred years that begin fifty years ago.
        const int base = Today().year - 50;
        year += base / 100 * 100;
        if (year < base) year += 100;
    }
    if (!IsValidDate(year, month, day)) return std::nullopt;
    return Date{year, month, day};
}

std::string FormatDate(const Date& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", d.year, d.month, d.day);
    return buf;
}

Date Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Day 0 is 1899/12/30, the epoch of the platform's date serials, so that day
// numbers agree with date values handed over in files.
namespace {
constexpr long kEpochShift = 693899;  // days from 0000/03/01 to 1899/12/30
}

long DayNumber(const Date& d) {
    const long y = d.month <= 2 ? d.year - 1 : d.year;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long mp = (d.month + 9) % 12;
    const long doy = (153 * mp + 2) / 5 + d.day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - kEpochShift;
}

Date FromDayNumber(long n) {
    const long z = n + kEpochShift;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return Date{year, month, day};
}

int DayOfWeek(const Date& d) {
    // Day 0 was a Saturday.
    const long n = DayNumber(d);
    return int(((n + 6) % 7 + 7) % 7) + 1;
}

std::string NotAValidDateMessage(std::string_view text) {
    std::string message = "'";
    message += text;
    message += "' is not a valid date";
    return message;
}

}  // namespace brenvik
