#pragma once
// Store date texts: "YYYY/MM/DD" (four-digit year, two-digit month and day).
#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

struct Date {
    int year = 1900;
    int month = 1;
    int day = 1;
    auto operator<=>(const Date&) const = default;
};

// Reads a date in year/month/day order as the store's date conversion does;
// nothing when the text is not a valid date.
std::optional<Date> ParseDate(std::string_view text);
std::string FormatDate(const Date& d);  // "YYYY/MM/DD"
Date Today();
bool IsValidDate(int year, int month, int day);
// Days since a fixed epoch, for differences and day-of-week. Day 0 is
// 1899/12/30, the epoch of the platform's date serials.
long DayNumber(const Date& d);
Date FromDayNumber(long n);
// 1 for Sunday to 7 for Saturday.
int DayOfWeek(const Date& d);

// The standard conversion message: "'%s' is not a valid date".
std::string NotAValidDateMessage(std::string_view text);

}  // namespace brenvik
